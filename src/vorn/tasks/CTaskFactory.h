#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "vorn/designpatterns/factory/CPlugFactory.h"
#include "vorn/designpatterns/singleton/CStaticSingleton.h"

namespace vorn {

class CTask;
class CVariableList;

// Knows every task type by name, creates instances, names them, hands them to
// the kernel and finds them again by instance name. Owns every task it made.
class CTaskFactory {
public:
    static CTaskFactory* GetSingleton() { return CStaticSingleton<CTaskFactory>::GetSingleton(); }
    static CTaskFactory* PeekSingleton() { return CStaticSingleton<CTaskFactory>::PeekSingleton(); }
    static void DeleteSingleton() { CStaticSingleton<CTaskFactory>::DeleteSingleton(); }

    // Takes ownership of maker; the first registration of a name wins.
    void RegisterTaskType(const std::string& typeName, CGenericMaker<CTask>* maker);
    template <class T>
    void RegisterTaskType(const std::string& typeName) {
        RegisterTaskType(typeName, new CTemplateMaker<T, CTask>);
    }
    bool IsTaskTypeRegistered(const std::string& typeName) const {
        return myMakers.IsRegistered(typeName);
    }

    // Registers the task types of a library: "sdl", "sdl_mixer", "d3d" or
    // "opengl" (another name for "d3d").
    void LoadTaskLibrary(const std::string& libraryName);

    bool StartTask(const std::string& typeName, const std::string& instanceName, int priority,
                   CVariableList* params = nullptr);
    void PauseTask(const std::string& instanceName);
    void ResumeTask(const std::string& instanceName);
    void StopTask(const std::string& instanceName);
    // Hands "name::text" to the task's ExecuteNamespaceLine.
    bool SendToNamespace(const std::string& instanceName, const std::string& text);
    // The task a name reaches: the earliest task started under it that is not
    // stopped, else the first one (stopped tasks keep their names).
    CTask* FindTask(const std::string& instanceName) const;

    // Library loaders: a back end that arrives registers a function that adds
    // its task types, under its library name.
    using LibraryLoader = void (*)(CTaskFactory&);
    void RegisterTaskLibrary(const std::string& libraryName, LibraryLoader loader);

private:
    friend class CStaticSingleton<CTaskFactory>;
    CTaskFactory();
    ~CTaskFactory();

    static CTask* FindLiveTask(const std::vector<CTask*>& holders);

    CPlugFactory<std::string, CTask> myMakers;
    // Every task started under a name, in start order. Lookups prefer the
    // earliest one that is not stopped.
    std::map<std::string, std::vector<CTask*>> myInstances;
    std::map<std::string, LibraryLoader> myLibraries;
};

}  // namespace vorn
