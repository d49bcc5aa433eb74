#pragma once

#include <string>

namespace vorn {

// Collects what was wrong with one input file, so that a broken file costs
// one warning line in the log however many faults it has.
class CXmlProblems {
public:
    // Records a problem; only the first one's text is kept.
    void Note(const std::string& text) {
        if (myCount++ == 0)
            myFirst = text;
    }
    // Adds the problems of other (after ours).
    void Merge(const CXmlProblems& other) {
        if (other.myCount == 0)
            return;
        if (myCount == 0)
            myFirst = other.myFirst;
        myCount += other.myCount;
    }
    void Clear() {
        myCount = 0;
        myFirst.clear();
    }
    int GetCount() const { return myCount; }
    const std::string& GetFirst() const { return myFirst; }

    // Writes the one warning line naming the first problem, or nothing when
    // there was none.
    void Log(const std::string& sourceName) const;

private:
    int myCount = 0;
    std::string myFirst;
};

}  // namespace vorn
