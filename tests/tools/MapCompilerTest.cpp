#include "game/objects/WONPC.h"
#include "game/objects/WOTeleport.h"
#include "game/objects/WorldObjectVector.h"
#include "game/world/Map.h"
#include "game/world/MapBackground.h"
#include "game/world/MapCameraStopper.h"
#include "game/world/MapExit.h"
#include "game/world/MapWater.h"
#include "tools/mapc/Decompiler.h"
#include "tools/mapc/Diagnostics.h"
#include "tools/mapc/Legend.h"
#include "tools/mapc/LevelParser.h"
#include "tools/mapc/ObjectCompiler.h"
#include "tools/mapc/WorldCheck.h"

#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

const char* const kLegend = "# test tiles\n"
                            "tile . 0 empty\n"
                            "auto # 16 ground turf\n"
                            "tile x 5 step turf\n"
                            "tile ~ 7 vines\n"
                            "tile \" 8 tuft grass\n";

// A small level with one of everything; the tests change single lines of it.
const std::vector<std::string> kLevel = {
    "# one of everything",                                // 1
    "tileset test.png",                                   // 2
    "music song.ogg",                                     // 3
    "size 6 5",                                           // 4
    "minimap 2 3",                                        // 5
    "start 1t 1t+8",                                      // 6
    "weather snow 2 6 1",                                 // 7
    "background sky.png 0 0 0 0 320 240",                 // 8
    "background hills.png 2 1 0 16 320 256",              // 9
    "layer back none",                                    // 10
    "......",                                             // 11
    ".~~.\".",                                            // 12
    "......",                                             // 13
    "......",                                             // 14
    "......",                                             // 15
    "layer ground BLOCK",                                 // 16
    "######",                                             // 17
    "#.....",                                             // 18
    "#.....",                                             // 19
    "##x#.#",                                             // 20
    "####.#",                                             // 21
    "layer front UPPER",                                  // 22
    "~.....",                                             // 23
    "......",                                             // 24
    "......",                                             // 25
    "......",                                             // 26
    "......",                                             // 27
    "exit vertical 5t+8 1t 31 other 24 1t",               // 28
    "exit horizontal 4t 4t+8 15 other 2t 1t+8",           // 29
    "water 4t 3t 5t-1 5t-1",                              // 30
    "stopper vertical 3t 0 5t right",                     // 31
    "stopper horizontal 0 2t 6t up",                      // 32
    "object Flowrian 2t 1t prefers=\"music box\" sad=-1", // 33
};

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\n";
    }
    return text;
}

std::vector<std::string> withLine(std::vector<std::string> lines, int number,
                                  const std::string& text) {
    lines[number - 1] = text;
    return lines;
}

class MapCompilerTest : public ::testing::Test {
protected:
    std::optional<Level> parse(const std::vector<std::string>& lines,
                               const std::string& name = "test") {
        LevelParser parser(name + ".map", "area", name, legends, diagnostics);
        return parser.parse(joined(lines));
    }

    // All messages, one per line, for failure output.
    std::string messages() const {
        std::string text;
        for (const std::string& message : diagnostics.messages()) {
            text += message + "\n";
        }
        return text;
    }

    // The objects the lines compile to, in the global world object vector.
    const std::vector<WorldObject*>& compileObjects(const std::vector<std::string>& lines) {
        std::vector<Level> levels;
        std::optional<Level> level = parse(lines);
        if (level) {
            levels.push_back(std::move(*level));
        }
        destroyWorldObjects();
        ObjectCompiler(diagnostics).compile(levels);
        return *globalWorldObjectVector;
    }

    // The level of the lines, its map saved as the editor saves it (which names the map), and
    // its objects in the global world object vector.
    std::optional<Level> savedLevel(const std::vector<std::string>& lines) {
        compileObjects(lines);
        std::optional<Level> level = parse(lines);
        if (level) {
            EXPECT_TRUE(level->map->save((testing::TempDir() + "test").c_str()));
        }
        return level;
    }

    // The map's level source, after the recompile check has reported into the diagnostics.
    std::string decompiled(const Map& map) {
        const std::vector<const WorldObject*> objects =
            objectsOwnedBy(map.getFilename(), *globalWorldObjectVector);
        const std::string source = decompileLevel(map, legends.at("test.png"), objects);
        checkRecompiles(source, "test.map", legends, map, objects, diagnostics);
        return source;
    }

    void TearDown() override { destroyWorldObjects(); }

    Diagnostics diagnostics;
    LevelParser::Legends legends = {
        {"test.png", Legend::parse(kLegend, "test.legend", diagnostics)}};
};

TEST_F(MapCompilerTest, EveryCommandEndsUpInTheMap) {
    const std::optional<Level> level = parse(kLevel);
    ASSERT_TRUE(level) << messages();
    const Map& map = *level->map;
    EXPECT_STREQ(map.getTilesetName(), "test.png");
    EXPECT_STREQ(map.getMusicName(), "song.ogg");
    EXPECT_EQ(map.getNumberOfColumns(), 6);
    EXPECT_EQ(map.getNumberOfRows(), 5);
    EXPECT_EQ(map.getMinimapIndexX(), 2);
    EXPECT_EQ(map.getMinimapIndexY(), 3);
    int startX = 0;
    int startY = 0;
    map.playerStartPosition(startX, startY);
    EXPECT_EQ(std::pair(startX, startY), std::pair(16, 24)) << "tiles and pixels";
    EXPECT_EQ(map.particleType(), 1);
    EXPECT_EQ(map.particleDelayMax(), 6);
    EXPECT_EQ(map.particleGenerationAmount(), 1);

    ASSERT_EQ(map.getNumberOfBackgrounds(), 2);
    const Map::Background& hills = *map.getBackground(1);
    EXPECT_STREQ(hills.getImageName(), "hills.png");
    EXPECT_EQ(hills.getScrollDivisorX(), 2);
    EXPECT_EQ(hills.getScrollDivisorY(), 1);
    EXPECT_EQ(hills.getSourceTop(), 16);
    EXPECT_EQ(hills.getSourceBottom(), 256);

    ASSERT_EQ(map.getNumberOfLayers(), 3);
    EXPECT_EQ(map.getLayerProperties(0), 0);
    EXPECT_EQ(map.getLayerProperties(1), Map::kLayerBlock);
    EXPECT_EQ(map.getLayerProperties(2), Map::kLayerUpper);
    EXPECT_EQ(map.copyLayerOut(0)[1], (std::vector{0, 7, 7, 0, 8, 0})) << "quotes are tiles";
    EXPECT_EQ(map.copyLayerOut(2)[0][0], 7);
    // Automatic tiles: 16 + the filled neighbours (north 1, east 2, south 4, west 8), where the
    // map's outside counts as filled and any non-empty tile fills.
    EXPECT_EQ(map.copyLayerOut(1)[0], (std::vector{31, 27, 27, 27, 27, 27}));
    EXPECT_EQ(map.copyLayerOut(1)[3], (std::vector{31, 30, 5, 28, 0, 22}));
    EXPECT_EQ(map.copyLayerOut(1)[4][3], 29) << "north filled, east open, south outside";

    ASSERT_EQ(map.getNumberOfExits(), 2);
    const Map::Exit& side = *map.getExit(0);
    EXPECT_EQ(side.getOrientation(), Map::kVertical);
    EXPECT_EQ(std::vector({side.getX(), side.getY(), side.getHeight()}), std::vector({88, 16, 31}));
    EXPECT_STREQ(side.getNextMap(), "other");
    EXPECT_EQ(std::pair(side.getNextMapX(), side.getNextMapY()), std::pair(24, 16));
    const Map::Exit& shaft = *map.getExit(1);
    EXPECT_EQ(shaft.getOrientation(), Map::kHorizontal);
    EXPECT_EQ(std::vector({shaft.getX(), shaft.getY(), shaft.getWidth()}),
              std::vector({64, 72, 15}));
    EXPECT_EQ(level->exitLines, (std::vector{28, 29}));

    ASSERT_EQ(map.getNumberOfWaterAreas(), 1);
    const BoundingBox& water = map.getWaterArea(0)->boundingBox();
    EXPECT_EQ(std::vector({water.getLeftBound(), water.getTopBound(), water.getRightBound(),
                           water.getBottomBound()}),
              std::vector({64, 48, 79, 79}));
    ASSERT_EQ(map.getNumberOfCameraStoppers(), 2);
    EXPECT_EQ(map.getCameraStopper(0)->getOrientation(), Map::kVertical);
    EXPECT_EQ(map.getCameraStopper(0)->getBlockDirection(), Map::CameraStopper::kBlockRight);
    EXPECT_EQ(map.getCameraStopper(0)->getLength(), 80);
    EXPECT_EQ(map.getCameraStopper(1)->getOrientation(), Map::kHorizontal);
    EXPECT_EQ(map.getCameraStopper(1)->getBlockDirection(), Map::CameraStopper::kBlockUp);
    EXPECT_EQ(map.getCameraStopper(1)->getY(), 32);
}

TEST_F(MapCompilerTest, MistakesAreReportedWithTheirFileAndLine) {
    struct Case {
        std::vector<std::string> lines;
        int line;
        std::string message;
    };
    std::vector<std::string> twoSizes = kLevel;
    twoSizes.insert(twoSizes.begin() + 5, "size 6 5");
    const std::vector<Case> cases = {
        {withLine(kLevel, 19, "#..?.."), 19,
         "column 4: the character '?' is not in the tileset's legend"},
        {withLine(kLevel, 18, "#...."), 18, "the row has 5 cells, the map is 6 columns wide"},
        {withLine(kLevel, 18, "#.{7}.."), 18, "the row has 5 cells, the map is 6 columns wide"},
        {withLine(kLevel, 19, "#..{7.."), 19, "column 4: a numbered cell is {INDEX}, such as {37}"},
        {std::vector(kLevel.begin(), kLevel.begin() + 25), 25,
         "the file ends after 3 of the layer's 5 rows"},
        {withLine(kLevel, 17, "#.####"), 17,
         "column 2: the map's edge is open here, but no exit passes through it"},
        {withLine(kLevel, 28, "exit vertical 5t+8 1t 15 other 24 1t"), 19,
         "column 6: the map's edge is open here, but no exit passes through it"},
        {withLine(kLevel, 7, "weather snow 6 2 1"), 7, "the delays must run"},
        {withLine(kLevel, 7, "weather hail 2 6 1"), 7, "the weather 'hail' is none of"},
        {withLine(kLevel, 9, "background hills.png 2 1 0 16 0 256"), 9, "divisors must be"},
        {withLine(kLevel, 28, "exit vertical 7t 1t 31 other 24 1t"), 28,
         "the exit's start (112, 16) lies outside the map's 96 x 80 pixels"},
        {withLine(kLevel, 28, "exit vertical 5t+8 1t 3u other 24 1t"), 28,
         "the exit's length '3u' is not pixels"},
        {withLine(kLevel, 31, "stopper vertical 3t 0 5t up"), 31,
         "a vertical stopper keeps the view left or right, not 'up'"},
        {withLine(kLevel, 30, "water 5t 3t 4t 5t"), 30, "the water's right and bottom"},
        {twoSizes, 6, "a second 'size' line; the first is line 4"},
        {withLine(kLevel, 4, "size 6 x"), 4, "the number of rows 'x' is not a whole number"},
        {withLine(kLevel, 5, "minimap 0 3"), 5, "the minimap cell must be at column 1 or more"},
        {withLine(kLevel, 2, "tileset missing.png"), 2, "the tileset missing.png has no legend"},
        {withLine(kLevel, 2, "# no tileset"), 10,
         "the tileset must be named before the first layer"},
        {withLine(kLevel, 3, "musik song.ogg"), 3, "unknown keyword 'musik'"},
        {withLine(kLevel, 3, "musik song.ogg"), 1, "the level has no 'music' line"},
        {withLine(kLevel, 3, "music song.ogg\r"), 3, "the line holds a carriage return"},
        {withLine(kLevel, 16, "layer ground SOLID"), 16, "the layer flags 'SOLID' are none of"},
        {withLine(kLevel, 16, "layer ground none"), 1, "the level has no BLOCK layer"},
        {withLine(kLevel, 6, "start 4t 1t+8"), 6, "the player would not start on the ground"},
        {withLine(kLevel, 6, "start 0 1t+8"), 6,
         "the player would start outside the map or inside solid tiles"},
        {withLine(kLevel, 33, "object Flowrian 2t 1t prefers=\"music box"), 33,
         "a quote is left open"},
        {withLine(kLevel, 33, "object flowrian 2t 1t"), 33,
         "expected 'object CLASS X Y [NAME=VALUE...]' with a capitalised class name"},
        {withLine(kLevel, 33, "object Flowrian 2t 1t sad"), 33,
         "the object setting 'sad' is not NAME=VALUE"},
        {withLine(kLevel, 33, "object Flowrian 2t 9t"), 33, "the object (32, 144) lies outside"},
        {withLine(kLevel, 33, "object Flowrian 2t 1t sad=0 sad=-1"), 33,
         "the object setting 'sad' is given twice"},
    };
    for (const Case& mistake : cases) {
        diagnostics = Diagnostics();
        SCOPED_TRACE(mistake.message);
        EXPECT_FALSE(parse(mistake.lines));
        const std::string expected =
            "test.map:" + std::to_string(mistake.line) + ": " + mistake.message;
        EXPECT_NE(messages().find(expected), std::string::npos) << messages();
    }
}

// The object's editable field of that title, or null.
const WorldObjectEditorInfo* fieldNamed(const WorldObject& object, const char* title) {
    for (const auto& field : object.editorInfo()) {
        if (strcmp(field->title(), title) == 0) {
            return field.get();
        }
    }
    return nullptr;
}

// The text an object's editable field of that title holds.
std::string fieldText(const WorldObject& object, const char* title) {
    const WorldObjectEditorInfo* field = fieldNamed(object, title);
    if (field == nullptr) {
        return "(none)";
    }
    return field->valueType() == WorldObjectEditorInfo::kInteger ||
                   field->valueType() == WorldObjectEditorInfo::kFlag
               ? std::to_string(*static_cast<const int*>(field->dataPointer()))
               : static_cast<const char*>(field->dataPointer());
}

TEST_F(MapCompilerTest, ObjectLinesBecomeTheGamesObjectsWrittenByTheirOwnSave) {
    std::vector<std::string> lines = kLevel;
    lines.push_back("object Bird 3t 1t flees=0");
    lines.push_back("object DomPot 1t 2t color=Blue pot=1t");
    lines.push_back("object HexNut 3t 2t");
    const std::vector<WorldObject*>& objects = compileObjects(lines);
    ASSERT_TRUE(diagnostics.empty()) << messages();
    ASSERT_EQ(objects.size(), 4u);
    const WorldObject& flowrian = *objects[0];
    EXPECT_EQ(flowrian.getObjectType(), WORLD_OBJECT_FLOWRIAN);
    EXPECT_EQ(std::pair(flowrian.getXPos(), flowrian.getYPos()), std::pair(32, 16));
    EXPECT_STREQ(flowrian.getOwnerMap(), "test");
    EXPECT_EQ(fieldText(flowrian, "Sad state"), "-1");
    EXPECT_EQ(fieldText(flowrian, "Preferred Music Maker"), "music box");
    EXPECT_EQ(fieldText(*objects[1], "Flies from player:"), "0");
    EXPECT_EQ(fieldText(*objects[2], "Preferred Music Maker"), "Blue") << "a pot's colour";
    EXPECT_EQ(fieldText(*objects[2], "Pot #"), "16");
    EXPECT_EQ(objects[3]->getObjectType(), WORLD_OBJECT_HEX_NUT);

    const std::string path = testing::TempDir() + "compiled.mol";
    ASSERT_TRUE(writeWorldObjectList(path));
    FILE* stream = fopen(path.c_str(), "rb");
    ASSERT_NE(stream, nullptr);
    EXPECT_TRUE(loadWorldObjects(stream, nullptr));
    fclose(stream);
    ASSERT_EQ(globalWorldObjectVector->size(), 4u);
    EXPECT_EQ(static_cast<const WONPC*>((*globalWorldObjectVector)[0])->getSadState(), -1);
    EXPECT_EQ(fieldText(*(*globalWorldObjectVector)[2], "Pot #"), "16");
}

TEST_F(MapCompilerTest, ObjectSettingsAreCheckedAgainstTheClassesFields) {
    const struct {
        const char* line;
        const char* message;
    } cases[] = {
        {"object Unicorn 1t 1t", "there is no object class 'Unicorn'"},
        {"object Flowrian 1t 1t hat=red", "a Flowrian has no setting 'hat'"},
        {"object Flowrian 1t 1t sad=yes", "the sad of a Flowrian must be -1 or 0, not 'yes'"},
        {"object Flowrian 1t 1t prefers=drum",
         "the prefers of a Flowrian must be one of 'music box', 'accordian', not 'drum'"},
        {"object DomPot 1t 1t pot=two", "the pot of a DomPot must be a number, not 'two'"},
        {"object Crate 1t 1t resistance=heavy",
         "the resistance of a Crate must be a number, not 'heavy'"},
        {"object Dom 1t 1t inPot=2", "the inPot of a Dom must be -1 or 0, not '2'"},
    };
    for (const auto& mistake : cases) {
        diagnostics = Diagnostics();
        compileObjects(withLine(kLevel, 33, mistake.line));
        EXPECT_NE(messages().find(std::string("test.map:33: ") + mistake.message),
                  std::string::npos)
            << messages();
    }
}

TEST_F(MapCompilerTest, LegendsRefuseAmbiguousOrImpossibleEntries) {
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"tile . 0 empty\ntile . 1 step\n", "legend:2: character '.' is listed twice"},
        {"tile a 128 step\n", "legend:1: tile index '128' is outside the tileset's 128 cells"},
        {"auto a 113 ground\n", "legend:1: tile index '113' is outside"},
        {"auto a 0 ground\n", "legend:1: tile index '0' is outside"},
        {"auto a 16 ground\ntile b 20 step\n", "legend:2: tile 20 is used twice"},
        {"tile ab 3 step\n", "legend:1: expected 'tile CHARACTER INDEX PAINTER'"},
        {"tile a 3\n", "legend:1: expected 'tile CHARACTER INDEX PAINTER'"},
        {"many a 3 step\n", "legend:1: expected 'tile' or 'auto', found 'many'"},
        {"tile { 3 step\n", "legend:1: character '{' opens numbered cells"},
    };
    for (const auto& mistake : cases) {
        diagnostics = Diagnostics();
        Legend::parse(mistake.text, "legend", diagnostics);
        EXPECT_NE(messages().find(mistake.message), std::string::npos) << mistake.text << " gave:\n"
                                                                       << messages();
    }
    diagnostics = Diagnostics();
    const Legend legend = Legend::parse("# comment\n\ntile a 3 step turf\n", "legend", diagnostics);
    EXPECT_TRUE(diagnostics.empty()) << messages();
    ASSERT_NE(legend.find('a'), nullptr);
    EXPECT_EQ(legend.find('a')->tile, 3);
    EXPECT_EQ(legend.find('b'), nullptr);
}

TEST_F(MapCompilerTest, TheWorldCheckFollowsExitsAndClaimsMinimapCells) {
    const std::vector<std::string> other = {
        "tileset test.png",
        "music other.ogg",
        "size 6 5",
        "minimap 2 3",
        "layer ground BLOCK",
        "######",
        ".....#",
        ".....#",
        "######",
        "######",
        "exit vertical 8 1t 31 test 5t+12 1t",
        "exit vertical 8 1t 31 nowhere 24 1t",
    };
    std::vector<Level> levels;
    for (const auto& [name, lines] : {std::pair("test", kLevel), std::pair("other", other)}) {
        std::optional<Level> level = parse(lines, name);
        ASSERT_TRUE(level) << messages();
        levels.push_back(std::move(*level));
    }
    checkWorld(levels, diagnostics);
    const std::string found = messages();
    EXPECT_EQ(found.find("test.map:28:"), std::string::npos)
        << "leaving right at x 88 arrives at x 24 in the open: " << found;
    EXPECT_NE(found.find("test.map:29: the player leaving at (64, 51)-(73, 72) lands at "
                         "(32, 3)-(41, 24) in other, outside it or inside solid tiles"),
              std::string::npos)
        << found;
    EXPECT_NE(found.find("other.map:11: the player leaving at (8, 16)-(17, 37) lands at "
                         "(92, 16)-(101, 37) in test, outside it or inside solid tiles"),
              std::string::npos)
        << found;
    EXPECT_NE(found.find("other.map:12: the exit leads to nowhere, which no level source makes"),
              std::string::npos)
        << found;
    EXPECT_NE(found.find("other.map:4: the minimap cell (2, 3) is test's too"), std::string::npos)
        << found;

    diagnostics = Diagnostics();
    levels.push_back(std::move(*parse(withLine(kLevel, 5, "minimap 39 3"))));
    levels.push_back(std::move(*parse(withLine(kLevel, 5, "minimap 40 3"), "far")));
    checkWorld(levels, diagnostics);
    EXPECT_NE(messages().find("test.map:1: the map name test is test.map's too"), std::string::npos)
        << messages();
    EXPECT_NE(messages().find("far.map:5: the minimap cell (40, 3) lies outside the 40 x 30 "
                              "minimap"),
              std::string::npos)
        << messages();
    EXPECT_EQ(messages().find("(39, 3) lies outside"), std::string::npos)
        << "one screen at column 39 still fits";
}

const std::vector<std::string> kObjectLines = {
    "object Teleport 3t 1t label=tp destination=other destinationX=2t+8",
    "object AreaNameDisplayer 1t 1t name=\"Two Words\"",
};

TEST_F(MapCompilerTest, DecompiledLevelsKeepTheirCharactersAndCompileBackToTheSameBytes) {
    std::vector<std::string> lines = kLevel;
    lines.insert(lines.end(), kObjectLines.begin(), kObjectLines.end());
    std::optional<Level> level = savedLevel(lines);
    ASSERT_TRUE(level) << messages();
    Map& map = *level->map;
    const std::string source = decompiled(map);
    EXPECT_TRUE(diagnostics.empty()) << source << messages();
    for (int line = 11; line <= 27; line++) {
        if (kLevel[line - 1].starts_with("layer")) {
            continue;
        }
        EXPECT_NE(source.find("\n" + kLevel[line - 1] + "\n"), std::string::npos)
            << "line " << line << ": legend characters and fitting automatic tiles come back\n"
            << source;
    }
    for (const char* expected :
         {"start 1t 1t+8\n", "exit vertical 5t+8 1t 2t-1 other 1t+8 1t\n",
          "stopper horizontal 0 2t 6t up\n", "object Flowrian 2t 1t sad=-1\n",
          "object Teleport 3t 1t label=tp destination=other destinationX=40\n",
          "object AreaNameDisplayer 1t 1t name=\"Two Words\"\n"}) {
        EXPECT_NE(source.find(expected), std::string::npos) << expected << " in\n" << source;
    }

    // Edited as in the editor: tiles without a fitting character, an exit, moved and new objects.
    map.setTileAt(1, 1, 2, 9);
    map.setTileAt(1, 4, 0, Legend::kAutomaticVariants);
    Map::Exit& added = *map.addExit();
    added.setOrientation(Map::kHorizontal);
    added.setCoords(16, 0);
    added.setWidth(30);
    added.setNextMap("third");
    added.setNextMapCoords(5, 6);
    (*globalWorldObjectVector)[1]->setPosition(40, 20);
    static_cast<WOTeleport*>((*globalWorldObjectVector)[1])->setDestinationPosition(40, 300);
    for (const char* owner : {"test", "other"}) {
        WorldObject* nut = createWorldObjectNamed(owner == std::string("test") ? "HexNut" : "Bat");
        nut->setOwnerMap(owner);
        globalWorldObjectVector->push_back(nut);
    }
    const std::string edited = decompiled(map);
    EXPECT_TRUE(diagnostics.empty()) << edited << messages();
    for (const char* expected :
         {"\n#.{9}...\n", "\n##{27}###\n", "\n{16}###.#\n", "exit horizontal 1t 0 2t-2 third 5 6\n",
          "object Teleport 2t+8 1t+4 label=tp destination=other destinationX=40 "
          "destinationY=300\n",
          "object HexNut 0 0\n"}) {
        EXPECT_NE(edited.find(expected), std::string::npos) << expected << " in\n" << edited;
    }
    EXPECT_EQ(edited.find("object Bat"), std::string::npos) << "another map's object";
}

TEST_F(MapCompilerTest, WhatALevelSourceCannotSayIsReported) {
    const struct {
        void (*edit)(Map& map, WorldObject& areaName);
        const char* message;
    } cases[] = {
        {[](Map& map, WorldObject&) { map.getExit(1)->setHeight(32); },
         "test.map:1: compiles to another map: the map holds something a level source cannot "
         "say"},
        {[](Map& map, WorldObject&) { map.setParticleParameters(7, 2, 6, 1); },
         "test.map:6: the weather '7' is none of none, snow and rain"},
        {[](Map& map, WorldObject&) { map.getCameraStopper(0)->setBlockDirection(3); },
         "a vertical stopper keeps the view left or right, not '3'"},
        {[](Map&, WorldObject& areaName) {
             strcpy(static_cast<char*>(fieldNamed(areaName, "Area name")->dataPointer()),
                    "say \"hi\"");
         },
         "test.map:1: compiles to other objects: they hold something a level source cannot say"},
    };
    std::vector<std::string> lines = kLevel;
    lines.insert(lines.end(), kObjectLines.begin(), kObjectLines.end());
    for (const auto& loss : cases) {
        diagnostics = Diagnostics();
        std::optional<Level> level = savedLevel(lines);
        ASSERT_TRUE(level) << messages();
        loss.edit(*level->map, *(*globalWorldObjectVector)[2]);
        const std::string source = decompiled(*level->map);
        EXPECT_NE(messages().find(loss.message), std::string::npos) << loss.message << " for\n"
                                                                    << source << messages();
    }
}

} // namespace
