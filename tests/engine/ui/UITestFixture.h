// Widget tests that draw: a started engine with a GL window, a real TrueType face, and all input
// released before and after each test.
#pragma once

#include "engine/PXFont.h"
#include "tests/engine/ui/UIInput.h"
#include "tests/support/GLTestFixture.h"

class UITestFixture : public GLTestFixture {
protected:
    static constexpr const char* kFontPath = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
    static constexpr const char* kMissingFontPath = "/nonexistent/corvane/Missing.ttf";

    void SetUp() override {
        GLTestFixture::SetUp();
        ui_input::releaseEverything();
    }
    void TearDown() override {
        ui_input::releaseEverything();
        GLTestFixture::TearDown();
    }
};
