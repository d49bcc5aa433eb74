#include "vorn/Builtins.h"

#include "vorn/console/BasicCommands.h"
#include "vorn/gfx/GfxSelfTests.h"
#include "vorn/gfx/TextSpriteSelfTests.h"
#include "vorn/input/InputTaskTypes.h"
#include "vorn/tasks/CTaskAudioSDLMixer.h"
#include "vorn/tasks/CTaskFactory.h"
#include "vorn/tasks/CTestTaskGfx.h"
#include "vorn/tasks/CTester.h"
#include "vorn/tasks/CTesterTask.h"
#include "vorn/tasks/D3DTaskLibrary.h"
#include "vorn/tasks/SdlTaskLibrary.h"
#include "vorn/ui/UiSelfTests.h"
#include "vorn/ui/UiTaskTypes.h"
#include "vorn/utils/SelfTests.h"
#include "vorn/utils/calculator/CalculatorSelfTests.h"
#include "vorn/utils/random/RandomSelfTests.h"
#include "vorn/utils/signalslot/SignalSlotSelfTests.h"
#include "vorn/utils/xml/XmlSelfTests.h"

namespace vorn {

namespace {

void RegisterTaskTypes(CTaskFactory& factory) {
    factory.RegisterTaskType<CTesterTask>("unittest");
    factory.RegisterTaskType<CTestTaskGfx>("gfxtest");
    RegisterInputTaskTypes(factory);
    RegisterUiTaskTypes(factory);
}

void RegisterTaskLibraries(CTaskFactory& factory) {
    factory.RegisterTaskLibrary("sdl", &RegisterSdlTaskLibrary);
    factory.RegisterTaskLibrary("sdl_mixer", &RegisterSdlMixerTaskLibrary);
    factory.RegisterTaskLibrary("d3d", &RegisterD3DTaskLibrary);
    factory.RegisterTaskLibrary("opengl", &RegisterD3DTaskLibrary);
}

void RegisterSelfTests() {
    using namespace selftests;
    struct Entry {
        CTester::TestFunction function;
        const char* name;
        const char* file;
    };
    const Entry entries[] = {
        {CSingletonTest, "CSingletonTest", "vorn/utils/SelfTests.cpp"},
        {CStaticSingletonTest, "CStaticSingletonTest", "vorn/utils/SelfTests.cpp"},
        {StringTest, "StringTest", "vorn/utils/SelfTests.cpp"},
        {CTimerTest, "CTimerTest", "vorn/utils/SelfTests.cpp"},
        {CSmartPtrTest, "CSmartPtrTest", "vorn/utils/SelfTests.cpp"},
        {CFakeThreadTest, "CFakeThreadTest", "vorn/utils/SelfTests.cpp"},
        {CFileNameTest, "CFileNameTest", "vorn/io/IoSelfTests.cpp"},
        {CFileSystemTest, "CFileSystemTest", "vorn/io/IoSelfTests.cpp"},
        {CFileSystemBasicImplTest, "CFileSystemBasicImplTest", "vorn/io/IoSelfTests.cpp"},
        {CInputStreamTest, "CInputStreamTest", "vorn/io/IoSelfTests.cpp"},
        {CPathTest, "CPathTest", "vorn/io/IoSelfTests.cpp"},
        {CXmlTest, "CXmlTest", "vorn/utils/xml/XmlSelfTests.cpp"},
        {CAnyContainerTest, "CAnyContainerTest", "vorn/utils/xml/XmlSelfTests.cpp"},
        {CSSObjectTest, "CSSObjectTest", "vorn/utils/signalslot/SignalSlotSelfTests.cpp"},
        {CSSObjectSerializeTest, "CSSObjectSerializeTest",
         "vorn/utils/signalslot/SignalSlotSelfTests.cpp"},
        {SignalSlotTest, "SignalSlotTest", "vorn/utils/signalslot/SignalSlotSelfTests.cpp"},
        {CColorTest, "CColorTest", "vorn/gfx/GfxSelfTests.cpp"},
        {CTextSpriteTest, "CTextSpriteTest", "vorn/gfx/TextSpriteSelfTests.cpp"},
        {CTextureManagerTest, "CTextureManagerTest", "vorn/gfx/GfxSelfTests.cpp"},
        {CWidgetTest, "CWidgetTest", "vorn/ui/UiSelfTests.cpp"},
        {RandomTest, "RandomTest", "vorn/utils/random/RandomSelfTests.cpp"},
        {CCalculatorTest, "CCalculatorTest", "vorn/utils/calculator/CalculatorSelfTests.cpp"},
        {CInfixToPostfixTest, "CInfixToPostfixTest",
         "vorn/utils/calculator/CalculatorSelfTests.cpp"},
        {CPostfixTest, "CPostfixTest", "vorn/utils/calculator/CalculatorSelfTests.cpp"},
        {CPostfixAndInfixToPostfix, "CPostfixAndInfixToPostfix",
         "vorn/utils/calculator/CalculatorSelfTests.cpp"},
        {CPostfixSinCosinTest, "CPostfixSinCosinTest",
         "vorn/utils/calculator/CalculatorSelfTests.cpp"},
    };
    for (const Entry& entry : entries)
        CTester::RegisterTest(entry.function, entry.name, entry.file);
}

}  // namespace

void RegisterBuiltins() {
    // Task types go into the current factory each time (a registered name is
    // kept); self-tests and commands live in registries made once per process.
    CTaskFactory& factory = *CTaskFactory::GetSingleton();
    RegisterTaskTypes(factory);
    RegisterTaskLibraries(factory);
    static bool registered = false;
    if (registered) return;
    registered = true;
    RegisterSelfTests();
    RegisterBasicCommands();
}

}  // namespace vorn
