#pragma once

namespace vorn {

class CTaskFactory;

// The task library "d3d", the accelerated back end on OpenGL (also loaded by
// the name "opengl"): registers the task types "window" (CTaskWindowD3D),
// "event" (CTaskEventD3D) and "gfx" (CTaskGfxD3D). A script loads one back
// end: the first library loaded gives the three names their meaning.
void RegisterD3DTaskLibrary(CTaskFactory& factory);

}  // namespace vorn
