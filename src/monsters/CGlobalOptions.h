#pragma once

#include "vorn/designpatterns/singleton/CSingleton.h"

namespace monsters {

// Switches of the game shared by its parts; created on first use.
class CGlobalOptions : public vorn::CSingleton<CGlobalOptions> {
public:
    // Collision shapes outlined over the parts (toggled from the console).
    bool GetShowCollisionShapes() const { return myShowCollisionShapes; }
    void SetShowCollisionShapes(bool show) { myShowCollisionShapes = show; }
    // Kept for the options record; nothing reads it yet.
    bool GetSecondFlag() const { return mySecondFlag; }
    void SetSecondFlag(bool flag) { mySecondFlag = flag; }
    int GetScreenWidth() const { return myScreenWidth; }
    int GetScreenHeight() const { return myScreenHeight; }

private:
    friend class vorn::CStaticSingleton<CGlobalOptions>;
    CGlobalOptions() = default;

    bool myShowCollisionShapes = false;
    bool mySecondFlag = true;
    int myScreenWidth = 800;
    int myScreenHeight = 600;
};

}  // namespace monsters
