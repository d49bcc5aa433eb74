#pragma once

#include "vorn/tasks/CTaskEventSDL.h"

namespace vorn {

// Task type "event" of the task library "d3d": the OpenGL window is an SDL
// window, so its events are pumped exactly as by the SDL event task (keys,
// mouse, focus, resizes, quit, cursors).
class CTaskEventD3D : public CTaskEventSDL {};

}  // namespace vorn
