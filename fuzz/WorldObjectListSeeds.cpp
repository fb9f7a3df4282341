// Writes seed world object lists for the world object list fuzzer into the folder given as the
// only argument: a list of one object of every class, its editable fields filled as the editor
// fills them, saved by the game's own writer, and a few edge cases derived from it.
#include "FuzzSupport.h"
#include "game/objects/WorldObject.h"
#include "game/objects/WorldObjectEditorInfo.h"
#include "game/objects/WorldObjectVector.h"

#include <climits>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kHighestTypeCode = 1000;
constexpr int kUnknownType = 9999;

// Every field changed from its default: integers counted up, flags set, texts and choices named.
void fillEditableFields(WorldObject& object) {
    int value = 1;
    for (const auto& info : object.editorInfo()) {
        void* field = info->dataPointer();
        const std::vector<std::string>* choices = info->selectionList();
        switch (info->valueType()) {
        case WorldObjectEditorInfo::kInteger:
            *static_cast<int*>(field) = value++;
            break;
        case WorldObjectEditorInfo::kFlag:
            *static_cast<int*>(field) = -1;
            break;
        case WorldObjectEditorInfo::kText:
            snprintf(static_cast<char*>(field), WorldObject::kTextFieldSize, "label%d", value++);
            break;
        case WorldObjectEditorInfo::kChoice:
            if (choices != nullptr && !choices->empty()) {
                snprintf(static_cast<char*>(field), WorldObject::kTextFieldSize, "%s",
                         choices->back().c_str());
            }
            break;
        default:
            break;
        }
    }
}

// One object of every class on a map, every fifth in the inventory (no owner map).
std::vector<std::unique_ptr<WorldObject>> everyClass() {
    std::vector<std::unique_ptr<WorldObject>> objects;
    for (int type = 0; type < kHighestTypeCode; type++) {
        const char* name = worldObjectClassName(type);
        if (name == nullptr) {
            continue;
        }
        std::unique_ptr<WorldObject> object(createWorldObjectNamed(name));
        object->setPosition(16 * static_cast<int>(objects.size()), 32);
        object->setOwnerMap(objects.size() % 5 == 4 ? nullptr : "arnion1");
        fillEditableFields(*object);
        objects.push_back(std::move(object));
    }
    return objects;
}

std::string savedList(std::vector<std::unique_ptr<WorldObject>> objects) {
    replaceWorldObjects(std::move(objects), 0);
    return writtenBytes([](FILE* stream) { return writeWorldObjects(stream, nullptr); });
}

} // namespace

int main(int argc, char** argv) {
    const char* folder = seedFolderArgument(argc, argv);
    if (folder == nullptr) {
        return 2;
    }
    const std::string every = savedList(everyClass());
    const std::string none = savedList({});
    destroyWorldObjects();
    const std::string folderPath = folder;
    if (!writeWholeFile(folderPath + "/every-class", every) ||
        !writeWholeFile(folderPath + "/empty", none) ||
        !writeWholeFile(folderPath + "/truncated", every.substr(0, every.size() - 3)) ||
        !writeWholeFile(folderPath + "/huge-count",
                        recordIntegerBytes(INT_MAX) + every.substr(4)) ||
        !writeWholeFile(folderPath + "/negative-count", recordIntegerBytes(-1) + every.substr(4)) ||
        !writeWholeFile(folderPath + "/unknown-type",
                        recordIntegerBytes(1) + recordIntegerBytes(kUnknownType))) {
        fprintf(stderr, "%s: cannot write the seeds into %s\n", argv[0], folder);
        return 1;
    }
    return 0;
}
