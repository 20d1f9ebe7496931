#include "app/NewsBrowser.h"

#include "util/SystemTools.h"
#include "util/ZQError.h"

#include <QPluginLoader>

namespace {

constexpr char PluginName[] = "zq_newsbrowser";

} // namespace

INewsBrowser* CreateNewsBrowser(const QString& AUser, const QString& APassword, QWidget* AParent)
{
    // Installed next to the program; a build keeps it where it was built.
    QString reason;
    for (const QString& folder :
         {SystemTools::GetExeDirectory(), QStringLiteral(ZQ_NEWSBROWSER_BUILD_DIR "/")}) {
        QPluginLoader loader(folder + QLatin1String(PluginName));
        if (auto* factory = qobject_cast<INewsBrowserFactory*>(loader.instance()))
            return factory->CreateBrowser(AUser, APassword, AParent);
        reason = loader.errorString();
    }
    throw EZQError(QStringLiteral("Der Browser für die Neuigkeiten kann nicht geladen werden: ") + reason);
}
