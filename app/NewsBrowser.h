#pragma once

#include <QUrl>
#include <QtPlugin>

class QWidget;

// The embedded browser of the news page. It lives in a plugin that is loaded when the first news page is
// shown, so that the browser engine costs the program's start nothing.
class INewsBrowser
{
public:
    virtual ~INewsBrowser() = default;

    virtual QWidget* Widget() = 0;
    // Loads the address without cache, answering the server's request for credentials with those given
    // when the browser was made.
    virtual void Load(const QUrl& AAddress) = 0;
    virtual QUrl Address() const = 0;
};

class INewsBrowserFactory
{
public:
    virtual ~INewsBrowserFactory() = default;

    virtual INewsBrowser* CreateBrowser(const QString& AUser, const QString& APassword, QWidget* AParent) = 0;
};

#define ZQNewsBrowserFactory_iid "de.zqsoftware.ZQConnect.NewsBrowserFactory/1.0"
Q_DECLARE_INTERFACE(INewsBrowserFactory, ZQNewsBrowserFactory_iid)

// Loads the browser plugin and makes a browser; throws EZQError when the plugin cannot be loaded.
INewsBrowser* CreateNewsBrowser(const QString& AUser, const QString& APassword, QWidget* AParent);
