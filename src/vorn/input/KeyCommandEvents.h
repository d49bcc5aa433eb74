#pragma once

#include <string>
#include <vector>

#include "vorn/input/CMultiKeyEvent.h"
#include "vorn/input/IKeyEvent.h"

namespace vorn {

// Key events made by "bind": each runs a console line on the main console when
// its key goes down (never on release).

// One key.
class CKeyCommandEvent : public IKeyEvent {
public:
    explicit CKeyCommandEvent(std::string line) : myLine(std::move(line)) {}
    bool Fire(int key) override;
    const std::string& GetLine() const { return myLine; }

private:
    std::string myLine;
};

// A combination: the line runs only when all its keys are down.
class CMultiKeyCommandEvent : public CMultiKeyEvent {
public:
    CMultiKeyCommandEvent(std::vector<int> keys, std::string line)
        : CMultiKeyEvent(std::move(keys)), myLine(std::move(line)) {}
    bool Fire(int key) override;
    const std::string& GetLine() const { return myLine; }

private:
    std::string myLine;
};

}  // namespace vorn
