// A keyboard driven by tests: keys are pressed and released by calls, and
// the state is exactly the set of keys pressed and not yet released.
#pragma once

#include "hotkeys/KeyboardState.h"

#include <initializer_list>
#include <set>

namespace quillotap {

class ScriptedKeyboardState : public KeyboardState {
public:
    void press(int virtualKey) { down_.insert(virtualKey); }
    void press(std::initializer_list<int> keys) { down_.insert(keys); }
    void release(int virtualKey) { down_.erase(virtualKey); }
    void releaseAll() { down_.clear(); }

    void refresh() override { ++refreshes_; }
    bool isKeyDown(int virtualKey) const override { return down_.count(virtualKey) != 0; }
    bool anyKeyDown() const override { return !down_.empty(); }

    int refreshCount() const { return refreshes_; }

private:
    std::set<int> down_;
    int refreshes_ = 0;
};

} // namespace quillotap
