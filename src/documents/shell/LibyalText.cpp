#include "documents/shell/LibyalText.h"

#include "platform/CodePage.h"

namespace vc {

int libyalCodePage() {
    const QString name = sourceCodePage();
    if (name == QLatin1String("iso-8859-1"))
        return 28591;
    if (name.startsWith(QLatin1String("windows-"))) {
        const int page = name.mid(8).toInt();
        if (page == 874 || page == 932 || page == 936 || page == 949 || page == 950 ||
            (page >= 1250 && page <= 1258))
            return page;
    }
    return 1252;
}

} // namespace vc
