#include "WOSecretUnlocker.h"

#include "WorldObjectRecord.h"
#include "WorldObjectVector.h"
#include "engine/PXFont.h"
#include "engine/PXPrimitives.h"
#include "game/core/Globals.h"
#include "game/core/Log.h"
#include "game/core/ResourceManager.h"
#include "game/player/Player.h"
#include "game/screens/SecretList.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int kHoldTicks = 120;
// The panels speed up by 1 pixel a tick every this many ticks.
constexpr int kAccelerationTicks = 2;
constexpr const char* kTitle = "Secret Unlocked!";
constexpr int kTitleFontSize = 22;
constexpr int kTitleY = 100;
constexpr int kSecretFontSize = 12;
constexpr int kSecretY = 125;
constexpr int kMarginX = 32;
constexpr int kMarginY = 3;
// The secrets "Requires all but 100" asks for: all but the shipyard visit and 100% itself.
constexpr SecretIdentifier kAllBut100[] = {kSecretNautilusFriend, kSecretPickled,
                                           kSecretReleaseIt,      kSecretMarumari,
                                           kSecretNoScrewsLoose,  kSecretThatsAWrap};

std::vector<std::string> secretChoices() {
    std::vector<std::string> choices;
    for (int identifier = kSecretNautilusFriend; identifier <= kSecretHundredPercent;
         identifier++) {
        choices.emplace_back(
            descriptionForSecretIdentifier(static_cast<SecretIdentifier>(identifier)));
    }
    return choices;
}

// Moves the coordinate toward the target by at most the step; true once it is there.
bool stepToward(int& x, int target, int step) {
    x = x < target ? std::min(x + step, target) : std::max(x - step, target);
    return x == target;
}

void placeOffScreen(WOSecretUnlocker::Panel& panel, int hiddenX, int shownX) {
    panel.hiddenX = hiddenX;
    panel.shownX = shownX;
    panel.x = hiddenX;
}

} // namespace

WOSecretUnlocker::WOSecretUnlocker() : _holdTimer(kHoldTicks), _animationTimer(kAccelerationTicks) {
    setObjectType(WORLD_OBJECT_SECRET_UNLOCKER);
    setVersion(2);
    setDrawPosition(kDrawOverOverlays);
    addEditorInfo("Secret", WorldObjectEditorInfo::kChoice, secretChoices(), _secret);
    addEditorInfo("Left trigger", WorldObjectEditorInfo::kInteger, &_leftTrigger);
    addEditorInfo("Right trigger", WorldObjectEditorInfo::kInteger, &_rightTrigger);
    addEditorInfo("Top trigger", WorldObjectEditorInfo::kInteger, &_topTrigger);
    addEditorInfo("Bottom trigger", WorldObjectEditorInfo::kInteger, &_bottomTrigger);
    addEditorInfo("Trigger duration", WorldObjectEditorInfo::kInteger, &_triggerDuration);
    addEditorInfo("Requires all but 100", WorldObjectEditorInfo::kFlag, &_requiresAllBut100);
    loadSprite(sprite(), "secretUnlocker.txt", "default");
    _font = ResourceManager::instance()->font("c64.ttf");
    _titlePanel.text = kTitle;
    _titlePanel.fontSize = kTitleFontSize;
    _titlePanel.y = kTitleY;
    _secretPanel.fontSize = kSecretFontSize;
    _secretPanel.y = kSecretY;
    forceStateUpdate();
}

bool WOSecretUnlocker::saveFields(FILE* stream) const {
    return writeRecordInteger(stream, identifierForSecretDescription(_secret)) &&
           writeRecordInteger(stream, _leftTrigger) && writeRecordInteger(stream, _rightTrigger) &&
           writeRecordInteger(stream, _topTrigger) && writeRecordInteger(stream, _bottomTrigger) &&
           writeRecordInteger(stream, _triggerDuration) &&
           writeRecordInteger(stream, _requiresAllBut100);
}

bool WOSecretUnlocker::loadFields(FILE* stream, int version) {
    int identifier = kSecretNone;
    if (!readRecordInteger(stream, identifier) || !readRecordInteger(stream, _leftTrigger) ||
        !readRecordInteger(stream, _rightTrigger) || !readRecordInteger(stream, _topTrigger) ||
        !readRecordInteger(stream, _bottomTrigger) ||
        !readRecordInteger(stream, _triggerDuration) ||
        (version >= 2 && !readRecordInteger(stream, _requiresAllBut100))) {
        return false;
    }
    const char* description =
        descriptionForSecretIdentifier(static_cast<SecretIdentifier>(identifier));
    if (description == nullptr) {
        globalLog->write("Secret unlocker record names no secret (identifier %d)\n", identifier);
        description = "";
    }
    strcpy(_secret, description);
    return true;
}

void WOSecretUnlocker::forceStateUpdate() {
    _secretPanel.text = secretDescriptionAsShown(_secret);
    sizePanel(_titlePanel);
    sizePanel(_secretPanel);
    // The title enters from the left edge, the secret from the right one.
    placeOffScreen(_titlePanel, -_titlePanel.width, 0);
    placeOffScreen(_secretPanel, SCREEN_W_UNSCALED, SCREEN_W_UNSCALED - _secretPanel.width);
    _durationTimer.setTimeout(_triggerDuration);
    updateCurrentBBox();
}

void WOSecretUnlocker::sizePanel(Panel& panel) const {
    float width = 0;
    float height = 0;
    if (_font != nullptr) {
        _font->setSize(panel.fontSize);
        _font->stringBounds(panel.text.c_str(), width, height);
    }
    panel.width = static_cast<int>(width) + 2 * kMarginX;
    panel.height = static_cast<int>(height) + 2 * kMarginY;
}

void WOSecretUnlocker::logic() {
    switch (_bannerState) {
    case BannerState::Waiting:
        watchTriggerArea();
        break;
    case BannerState::SlidingIn:
        if (slidePanels(true)) {
            _bannerState = BannerState::Holding;
        }
        break;
    case BannerState::Holding:
        if (_holdTimer.tick()) {
            startSliding(BannerState::SlidingOut);
        }
        break;
    case BannerState::SlidingOut:
        if (slidePanels(false)) {
            _bannerState = BannerState::Gone;
            setObjectToBeRemovedFromWorldObjectVector(this);
        }
        break;
    case BannerState::Gone:
        break;
    }
}

void WOSecretUnlocker::watchTriggerArea() {
    if (globalPlayer == nullptr) {
        return;
    }
    updateCurrentBBox();
    const BoundingBox* box = getBBox();
    const BoundingBox area(box->getLeftBound() - _leftTrigger, box->getTopBound() - _topTrigger,
                           box->getRightBound() + _rightTrigger,
                           box->getBottomBound() + _bottomTrigger);
    if (!BoundingBox::checkCollision(&area, globalPlayer->getBBox())) {
        _durationTimer.reset();
        return;
    }
    if (_durationTimer.tick() && requirementsMet()) {
        fire();
    }
}

bool WOSecretUnlocker::requirementsMet() const {
    return !_requiresAllBut100 ||
           std::all_of(std::begin(kAllBut100), std::end(kAllBut100),
                       [](SecretIdentifier secret) { return secretUnlocked(secret); });
}

void WOSecretUnlocker::fire() {
    playSound(fetchSound("secretUnlocked.wav"));
    startSliding(BannerState::SlidingIn);
    unlockSecret(identifierForSecretDescription(_secret));
}

void WOSecretUnlocker::startSliding(BannerState state) {
    _bannerState = state;
    _speed = 0;
    _animationTimer.reset();
}

bool WOSecretUnlocker::slidePanels(bool in) {
    if (_animationTimer.tick()) {
        _speed++;
    }
    const bool titleThere =
        stepToward(_titlePanel.x, in ? _titlePanel.shownX : _titlePanel.hiddenX, _speed);
    const bool secretThere =
        stepToward(_secretPanel.x, in ? _secretPanel.shownX : _secretPanel.hiddenX, _speed);
    return titleThere && secretThere;
}

void WOSecretUnlocker::draw() {
    if (_bannerState == BannerState::Waiting || _bannerState == BannerState::Gone) {
        return;
    }
    drawPanel(_titlePanel);
    drawPanel(_secretPanel);
}

void WOSecretUnlocker::drawPanel(const Panel& panel) const {
    PXRectFill(panel.x, panel.y, panel.x + panel.width, panel.y + panel.height, 0, 0, 0, 1);
    if (_font == nullptr) {
        return;
    }
    const int textX = panel.x + kMarginX;
    const int textY = panel.y + kMarginY;
    _font->setSize(panel.fontSize);
    _font->print(textX + 1, textY + 1, 0.3f, 0.3f, 0.3f, 1, "%s", panel.text.c_str());
    _font->print(textX, textY, 1, 1, 1, 1, "%s", panel.text.c_str());
}
