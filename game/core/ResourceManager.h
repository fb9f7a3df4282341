// Hands out textures, fonts, samples and music by bare file name: each is found anywhere in the
// data tree (the user's own files first), loaded once and shared by every later request of the same
// name and kind.
#pragma once

#include "Resource.h"

#include <array>
#include <map>
#include <memory>
#include <string>

class ResourceManager {
public:
    static constexpr int kTexture = 2;
    static constexpr int kFont = 4;
    static constexpr int kSample = 8;
    static constexpr int kIT = 32;
    static constexpr int kXM = 64;
    static constexpr int kS3M = 128;
    static constexpr int kMOD = 256;
    static constexpr int kMP3 = 512;
    static constexpr int kOGG = 1024;

    static const char* const _dictionaryTextureName;
    static const char* const _dictionaryFontName;
    static const char* const _dictionarySampleName;
    static const char* const _dictionaryITName;
    static const char* const _dictionaryXMName;
    static const char* const _dictionaryS3MName;
    static const char* const _dictionaryMODName;
    static const char* const _dictionaryMP3Name;
    static const char* const _dictionaryOGGName;

    // The one manager, created on first use and never deleted.
    static ResourceManager* instance();

    // The named object of each kind, loaded on first request; null when it cannot be found or
    // loaded. The manager keeps ownership.
    PXTexture* texture(const char* name);
    PXFont* font(const char* name);
    PXSound* sound(const char* name);
    PXMusic* it(const char* name);
    PXMusic* xm(const char* name);
    PXMusic* s3m(const char* name);
    PXMusic* mod(const char* name);
    PXMusic* mp3(const char* name);
    PXMusic* ogg(const char* name);

    // The cached record of a name and type, loading it on first request; null on failure.
    resource* loadResource(const char* name, int type);
    // The first path of the name in the user's folder, else in the data folder, or "" when there
    // is none.
    std::string findFilePath(const char* name);
    // The first path of the name under the search path, or "" when there is none.
    std::string findFilePath(const char* searchPath, const char* name);

    // The font mode given to fonts loaded from now on (1 polygon, 2 texture).
    void setAliasMode(int mode) { _aliasMode = mode; }
    int aliasMode() const { return _aliasMode; }

    // Releases every cached object; the manager stays usable.
    void cleanup();
    // Release every object of one kind.
    void unloadTextures();
    void unloadFonts();
    void unloadSamples();
    void unloadITs();
    void unloadXMs();
    void unloadS3Ms();
    void unloadMODs();
    void unloadMP3s();
    void unloadOGGs();
    // Release one object by name; unknown names change nothing.
    void unloadTexture(const char* name);
    void unloadFont(const char* name);
    void unloadSample(const char* name);
    void unloadIT(const char* name);
    void unloadXM(const char* name);
    void unloadS3M(const char* name);
    void unloadMOD(const char* name);
    void unloadMP3(const char* name);
    void unloadOGG(const char* name);
    // Lists the texture, font, sample and tracker dictionaries in the log.
    void print();

private:
    using Dictionary = std::map<std::string, std::unique_ptr<resource>>;
    static constexpr int kDictionaries = 9;

    ResourceManager() = default;

    // The dictionary index of a type, or -1 for a value outside the table.
    static int dictionaryIndex(int type);
    static const char* dictionaryName(int index);
    // The loaded object of a name as kind T, or null.
    template <class T> T* object(const char* name, int type);
    void emptyDictionary(int index);
    void unloadEntry(const char* name, int type);
    void printDictionary(int index);

    int _aliasMode = 1;
    std::array<Dictionary, kDictionaries> _dictionaries;
};
