#include "vorn/utils/xml/CXmlProblems.h"

#include "vorn/console/CLog.h"
#include "vorn/utils/xml/XmlText.h"

namespace vorn {

void CXmlProblems::Log(const std::string& sourceName) const {
    if (myCount == 0)
        return;
    CLog& log = CLog::GetSingleton()->Warning();
    log << "Xml warning, malformed file: " << myFirst;
    if (myCount > 1)
        log << " (and " << (myCount - 1) << " more)";
    log << " in file: " << XmlPrintable(sourceName, 256) << "\n";
}

}  // namespace vorn
