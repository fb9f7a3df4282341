#include "ResourceManager.h"

#include "DataPaths.h"
#include "Log.h"
#include "engine/PXFileSystem.h"

#include <vector>

const char* const ResourceManager::_dictionaryTextureName = "Texture";
const char* const ResourceManager::_dictionaryFontName = "Font";
const char* const ResourceManager::_dictionarySampleName = "Sample";
const char* const ResourceManager::_dictionaryITName = "IT";
const char* const ResourceManager::_dictionaryXMName = "XM";
const char* const ResourceManager::_dictionaryS3MName = "S3M";
const char* const ResourceManager::_dictionaryMODName = "MOD";
const char* const ResourceManager::_dictionaryMP3Name = "MP3";
const char* const ResourceManager::_dictionaryOGGName = "OGG";

namespace {

// Types in dictionary order; print lists the first seven.
constexpr int kTypes[] = {
    ResourceManager::kTexture, ResourceManager::kFont, ResourceManager::kSample,
    ResourceManager::kIT,      ResourceManager::kXM,   ResourceManager::kS3M,
    ResourceManager::kMOD,     ResourceManager::kMP3,  ResourceManager::kOGG};
constexpr int kPrintedDictionaries = 7;

} // namespace

ResourceManager* ResourceManager::instance() {
    static ResourceManager singletonInstance;
    return &singletonInstance;
}

int ResourceManager::dictionaryIndex(int type) {
    for (int index = 0; index < kDictionaries; index++) {
        if (kTypes[index] == type) {
            return index;
        }
    }
    return -1;
}

const char* ResourceManager::dictionaryName(int index) {
    const char* const names[kDictionaries] = {
        _dictionaryTextureName, _dictionaryFontName, _dictionarySampleName,
        _dictionaryITName,      _dictionaryXMName,   _dictionaryS3MName,
        _dictionaryMODName,     _dictionaryMP3Name,  _dictionaryOGGName};
    return names[index];
}

template <class T> T* ResourceManager::object(const char* name, int type) {
    const resource* record = loadResource(name, type);
    return record != nullptr ? record->get<T>() : nullptr;
}

PXTexture* ResourceManager::texture(const char* name) {
    return object<PXTexture>(name, kTexture);
}
PXFont* ResourceManager::font(const char* name) {
    return object<PXFont>(name, kFont);
}
PXSound* ResourceManager::sound(const char* name) {
    return object<PXSound>(name, kSample);
}
PXMusic* ResourceManager::it(const char* name) {
    return object<PXMusic>(name, kIT);
}
PXMusic* ResourceManager::xm(const char* name) {
    return object<PXMusic>(name, kXM);
}
PXMusic* ResourceManager::s3m(const char* name) {
    return object<PXMusic>(name, kS3M);
}
PXMusic* ResourceManager::mod(const char* name) {
    return object<PXMusic>(name, kMOD);
}
PXMusic* ResourceManager::mp3(const char* name) {
    return object<PXMusic>(name, kMP3);
}
PXMusic* ResourceManager::ogg(const char* name) {
    return object<PXMusic>(name, kOGG);
}

resource* ResourceManager::loadResource(const char* name, int type) {
    const int index = dictionaryIndex(type);
    if (index < 0) {
        globalLog->write("Resource Manager: Invalid type supplied to loadResource\n");
        return nullptr;
    }
    Dictionary& dictionary = _dictionaries[index];
    const auto cached = dictionary.find(name);
    if (cached != dictionary.end()) {
        return cached->second.get();
    }
    const char* dictionaryLabel = dictionaryName(index);
    globalLog->write("Resource Manager %s Dictionary: %s doest not exist. Loading it.\n",
                     dictionaryLabel, name);
    const std::string path = findFilePath(name);
    if (path.empty()) {
        globalLog->write("Resource manager %s Dictionary: Couldn't find a resource named: %s\n",
                         dictionaryLabel, name);
        return nullptr;
    }
    auto record = std::make_unique<resource>();
    if (record->load(path.c_str(), type, _aliasMode) == nullptr) {
        globalLog->write("Resource manager %s Dictionary: Couldn't load resource: %s\n",
                         dictionaryLabel, path.c_str());
        return nullptr;
    }
    return (dictionary[name] = std::move(record)).get();
}

std::string ResourceManager::findFilePath(const char* name) {
    for (const std::string& folder : globalDataPaths.searchFolders()) {
        std::string path = findFilePath(folder.c_str(), name);
        if (!path.empty()) {
            return path;
        }
    }
    return "";
}

std::string ResourceManager::findFilePath(const char* searchPath, const char* name) {
    globalLog->write("Trying to find %s in %s\n", name, searchPath);
    // A private result list, so a listing in progress is never mixed into this search.
    std::vector<std::string> results;
    PXFindFile(searchPath, name, results, 0);
    return results.empty() ? std::string() : results.front();
}

void ResourceManager::cleanup() {
    globalLog->write("Resource Manager: Cleaning up...\n");
    for (int index = 0; index < kDictionaries; index++) {
        emptyDictionary(index);
    }
}

void ResourceManager::emptyDictionary(int index) {
    globalLog->write(" Clearing %s dictionary\n", dictionaryName(index));
    Dictionary& dictionary = _dictionaries[index];
    for (const auto& entry : dictionary) {
        globalLog->write("\tUnloading: %s\n", entry.first.c_str());
    }
    dictionary.clear();
}

void ResourceManager::unloadEntry(const char* name, int type) {
    const int index = dictionaryIndex(type);
    globalLog->write("Resource Manager %s Dictionary unloading resource: %s\n",
                     dictionaryName(index), name);
    _dictionaries[index].erase(name);
}

void ResourceManager::unloadTextures() {
    emptyDictionary(dictionaryIndex(kTexture));
}
void ResourceManager::unloadFonts() {
    emptyDictionary(dictionaryIndex(kFont));
}
void ResourceManager::unloadSamples() {
    emptyDictionary(dictionaryIndex(kSample));
}
void ResourceManager::unloadITs() {
    emptyDictionary(dictionaryIndex(kIT));
}
void ResourceManager::unloadXMs() {
    emptyDictionary(dictionaryIndex(kXM));
}
void ResourceManager::unloadS3Ms() {
    emptyDictionary(dictionaryIndex(kS3M));
}
void ResourceManager::unloadMODs() {
    emptyDictionary(dictionaryIndex(kMOD));
}
void ResourceManager::unloadMP3s() {
    emptyDictionary(dictionaryIndex(kMP3));
}
void ResourceManager::unloadOGGs() {
    emptyDictionary(dictionaryIndex(kOGG));
}

void ResourceManager::unloadTexture(const char* name) {
    unloadEntry(name, kTexture);
}
void ResourceManager::unloadFont(const char* name) {
    unloadEntry(name, kFont);
}
void ResourceManager::unloadSample(const char* name) {
    unloadEntry(name, kSample);
}
void ResourceManager::unloadIT(const char* name) {
    unloadEntry(name, kIT);
}
void ResourceManager::unloadXM(const char* name) {
    unloadEntry(name, kXM);
}
void ResourceManager::unloadS3M(const char* name) {
    unloadEntry(name, kS3M);
}
void ResourceManager::unloadMOD(const char* name) {
    unloadEntry(name, kMOD);
}
void ResourceManager::unloadMP3(const char* name) {
    unloadEntry(name, kMP3);
}
void ResourceManager::unloadOGG(const char* name) {
    unloadEntry(name, kOGG);
}

void ResourceManager::print() {
    for (int index = 0; index < kPrintedDictionaries; index++) {
        printDictionary(index);
    }
}

void ResourceManager::printDictionary(int index) {
    const Dictionary& dictionary = _dictionaries[index];
    globalLog->write("Resource Manager %s Dictionary contents (%d)\n", dictionaryName(index),
                     static_cast<int>(dictionary.size()));
    for (const auto& entry : dictionary) {
        globalLog->write("\tKey: %s | Resource at %p\n", entry.first.c_str(),
                         static_cast<const void*>(entry.second.get()));
    }
    globalLog->write("\n");
}
