// Program entry: register the built-ins, run autoexec.txt, hand over to the kernel.
#include <SDL.h>

#include "monsters/Registration.h"
#include "vorn/Builtins.h"
#include "vorn/tasks/CApplication.h"

int main(int argc, char** argv) {
    vorn::RegisterBuiltins();
    monsters::RegisterGame();
    int result = 0;
    {
        vorn::CApplication application(argc, argv);
        result = application.Run();
    }
    SDL_Quit();
    return result;
}
