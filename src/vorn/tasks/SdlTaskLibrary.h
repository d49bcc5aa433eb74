#pragma once

namespace vorn {

class CTaskFactory;

// The task library "sdl": registers the task types "window" (CTaskWindowSDL),
// "event" (CTaskEventSDL) and "gfx" (CTaskGfxSDL). Hand it to
// CTaskFactory::RegisterTaskLibrary("sdl", &RegisterSdlTaskLibrary); the
// console's TaskLoad("sdl") then calls it.
void RegisterSdlTaskLibrary(CTaskFactory& factory);

}  // namespace vorn
