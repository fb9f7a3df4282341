// RouteScript: a route through the game written as steps of held controls that each last until a
// condition on the game holds, so a long play can be written once and kept working while levels
// change. Playing a route runs the real game tick by tick and records every tick's input as a
// replay.
//
// One step per line; '#' starts a comment line:
//   wait N                        nothing held for N ticks
//   hold CONTROLS for N           the controls held for N ticks
//   hold CONTROLS until CONDITION the controls held until the condition holds (at most 3600 ticks)
//   press CONTROLS                held for one tick, then let go for one
// CONTROLS are names joined by '+' ("right+jump"): left, right, jump, action, next, previous,
// magnet, booster, up, down (the menus' arrows), or "nothing"; "toward=THING" holds left or right,
// whichever leads to the nearest THING on the map (a sad inhabitant before a happy one), and
// neither once level with it. CONDITIONs, joined by '&' ("x>=300&standing"):
//   x>=N  x<=N  y>=N  y<=N        the player's position in map pixels
//   map=NAME                      the current map
//   standing  airborne            on the ground, or not
//   carrying  empty               the hands full or empty
//   swimming  clinging  hanging   in water, clinging to a wall, hanging at a ledge
//   teleporting  idle             a teleport animation runs, or none
//   awake                         the intro is over
//   near=THING                    the player within a tile of a THING (a sad inhabitant first)
//   happy=RACE:N  nuts=N  secret=N  at least N happy of the race (flowrian, dom, negg, oller,
//                                 raam, vonil), hex nuts collected, or secret N unlocked
//   credits                       the last credit line has rolled off the top of the screen
// THINGs are the races and the props and devices routes go to: flowrian, dom, negg, oller,
// raam, vonil, nest, pot, musicbox, accordion, apple, blueberry, switch, teleport.
#pragma once

#include "game/core/Replay.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class RouteScript {
public:
    // One line of the route.
    struct Step {
        int line = 0;
        std::string text;
        ReplayInput input;
        // The type code of the object "toward" leads to, or 0.
        int towardType = 0;
        // Ticks to hold, or 0 when a condition ends the step.
        int ticks = 0;
        std::function<bool()> condition;
        // Let go for a tick after the step (press).
        bool release = false;
    };

    // The steps of the text, or nothing with the first mistake in error.
    static std::optional<RouteScript> parse(std::string_view text, std::string& error);

    // Plays the steps on the running game, one logic tick after another, recording each tick's
    // input; false (with what went wrong in error) when a condition is not met in time.
    bool play(Replay& replay, std::string& error) const;

    const std::vector<Step>& steps() const { return _steps; }

private:
    std::vector<Step> _steps;
};
