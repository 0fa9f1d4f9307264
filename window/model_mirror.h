// ModelMirror: what a front end has taken from the window model so far, so that after each event
// it touches only what changed, and the guard that stops the game at the rules' first error.
#pragma once

#include <array>
#include <cstdint>
#include <exception>
#include <optional>
#include <string>

#include "window/form_model.h"

namespace worm {

class ModelMirror {
public:
    // Runs one event's handler to completion. An error the rules raise ends the game for good:
    // onFailure hears of it once, and this and every later event returns false. True means the
    // front end should mirror the model now.
    template <typename Handler, typename OnFailure> bool run(Handler&& handler, OnFailure&& onFailure)
    {
        if (failed_) {
            return false;
        }
        try {
            handler();
        } catch (const std::exception& e) {
            failed_ = true;
            onFailure(e.what());
            return false;
        }
        return true;
    }
    bool failed() const { return failed_; }

    // The title, once each time it differs from the one last taken.
    const std::string* newTitle(const FormModel& form)
    {
        if (form.title() == title_) {
            return nullptr;
        }
        title_ = form.title();
        return &title_;
    }

    // The timer's interval, once each time it changes: re-arming a timer on every key would hold
    // the ticks back.
    std::optional<std::int32_t> newInterval(const FormModel& form)
    {
        if (form.interval() == interval_) {
            return std::nullopt;
        }
        interval_ = form.interval();
        return interval_;
    }
    std::int32_t interval() const { return interval_; } // the one the front end's timer runs at

    // Whether a button must be placed again: its record changed, or the board's layout did since
    // it was last placed. Buttons are not placed on every tick.
    bool buttonDue(const FormModel& form, Button b)
    {
        const auto i = static_cast<std::size_t>(b);
        const bool due = !placed_[i] || form.button(b) != buttons_[i];
        buttons_[i] = form.button(b);
        placed_[i] = true;
        return due;
    }
    void layoutChanged() { placed_ = {}; } // the buttons follow the board

private:
    bool failed_ = false;
    std::string title_;
    std::int32_t interval_ = 0;
    std::array<ButtonRecord, 2> buttons_{};
    std::array<bool, 2> placed_{};
};

} // namespace worm
