// The news browser on Qt WebEngine, as a plugin of its own.
#include "app/NewsBrowser.h"

#include <QAuthenticator>
#include <QObject>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <QWidget>

namespace {

class TWebNewsBrowser : public QWidget, public INewsBrowser
{
public:
    TWebNewsBrowser(const QString& AUser, const QString& APassword, QWidget* AParent)
        : QWidget(AParent), FProfile(new QWebEngineProfile), FView(new QWebEngineView(this))
    {
        // Off the record and without cache: every showing asks the server for the current news.
        FProfile->setHttpCacheType(QWebEngineProfile::NoCache);
        FView->setPage(new QWebEnginePage(FProfile, FView));
        QObject::connect(FView->page(), &QWebEnginePage::authenticationRequired, this,
                         [AUser, APassword](const QUrl&, QAuthenticator* AAuthenticator) {
                             AAuthenticator->setUser(AUser);
                             AAuthenticator->setPassword(APassword);
                         });
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(FView);
    }

    ~TWebNewsBrowser() override
    {
        delete FView; // the page goes before its profile
        delete FProfile;
    }

    QWidget* Widget() override { return this; }
    void Load(const QUrl& AAddress) override { FView->setUrl(AAddress); }
    QUrl Address() const override { return FView->url(); }

private:
    QWebEngineProfile* FProfile;
    QWebEngineView* FView;
};

} // namespace

class TNewsBrowserPlugin : public QObject, public INewsBrowserFactory
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID ZQNewsBrowserFactory_iid)
    Q_INTERFACES(INewsBrowserFactory)

public:
    INewsBrowser* CreateBrowser(const QString& AUser, const QString& APassword, QWidget* AParent) override
    {
        return new TWebNewsBrowser(AUser, APassword, AParent);
    }
};

#include "NewsBrowserPlugin.moc"
