#pragma once

#include <QUrl>
#include <QWidget>

class INewsBrowser;
class TBindSource;
class TFServCon;
class TMyComboBox;

// The news address of a software: plain HTTP to the download server, with its basic-authentication
// credentials in the address, path "/News/" + shortcode + "/HTML/" + confluenceshortcode + ".html".
QUrl NewsAddress(const QString& AShortcode, const QString& AConfluenceShortcode);

// The home page: the organisation's software in a combo box and the news of the current one in an
// embedded browser, which is made only when the first news page is shown.
class THomePage : public QWidget
{
    Q_OBJECT

public:
    THomePage(TFServCon& AServCon, QWidget* AParent);
    ~THomePage() override;

    // Binds the software list, loads the organisation's software and shows the first one's news.
    void Enter();
    // Closes and unbinds the software list; true when it was bound.
    bool Leave();
    // Loads the news page of the current software into the browser.
    void LoadNews();
    void DestroyBrowser();

    // The address the browser shows; empty before the first news page.
    QUrl NewsShown() const;

private:
    TFServCon& FServCon;
    TBindSource* Software;
    TMyComboBox* MyComboBox1;
    INewsBrowser* WebBrowser1 = nullptr;
};
