// Credits: the closing lines that roll over the last map. They scroll with the camera, not with
// time: as the player walks right, the lines move up the screen.
#pragma once

#include <vector>

class PXFont;

class Credits {
public:
    // A line of text where the camera puts it.
    struct PlacedLine {
        const char* text;
        int x;
        int y;
        float alpha;
        // Inside the screen, so drawn.
        bool visible;
    };

    // The line list and the font.
    Credits();

    // The credits move only with the camera.
    void logic() {}
    // The visible lines, fading in at the top and out at the bottom, shadowed.
    void draw();

    // Every text line (gaps left out) with the camera at that x.
    std::vector<PlacedLine> placedLines(int cameraX) const;
    // The lines in order; an empty text is a gap.
    const std::vector<const char*>& lines() const { return _lines; }

private:
    int _startY = 240;
    int _firstLine = 0;
    int _endLine = 0;
    int _lineSpacing = 5;
    PXFont* _font = nullptr;
    std::vector<const char*> _lines;
};
