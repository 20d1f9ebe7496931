#include "app/HomePage.h"

#include "app/NewsBrowser.h"
#include "pages/ZQParams.h"
#include "platform/bind/BindSource.h"
#include "platform/bind/LinkListControlToField.h"
#include "platform/widgets/MyComboBox.h"
#include "server/ServerConnection.h"
#include "server/ServerSettings.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

QUrl NewsAddress(const QString& AShortcode, const QString& AConfluenceShortcode)
{
    QUrl address;
    address.setScheme(QStringLiteral("http"));
    address.setUserName(QLatin1String(ZQServerSettings::DownloadUser));
    address.setPassword(QLatin1String(ZQServerSettings::DownloadPassword));
    address.setHost(QLatin1String(ZQServerSettings::DownloadHost));
    address.setPort(ZQServerSettings::DownloadPort);
    address.setPath(QStringLiteral("/News/") + AShortcode + QStringLiteral("/HTML/") + AConfluenceShortcode +
                    QStringLiteral(".html"));
    return address;
}

THomePage::THomePage(TFServCon& AServCon, QWidget* AParent)
    : QWidget(AParent), FServCon(AServCon), Software(new TBindSource(QStringLiteral("Software"), this)),
      MyComboBox1(new TMyComboBox)
{
    setObjectName(QStringLiteral("HomePage"));
    auto* toolBar = new QWidget;
    toolBar->setObjectName(QStringLiteral("ToolBar2"));
    toolBar->setFixedHeight(41);
    auto* label = new QLabel(QStringLiteral("Softwareauswahl:"));
    label->setObjectName(QStringLiteral("Label4"));
    MyComboBox1->setObjectName(QStringLiteral("MyComboBox1"));
    MyComboBox1->setFixedWidth(321);
    auto* unused = new QToolButton;
    unused->setObjectName(QStringLiteral("SpeedButton2"));
    unused->hide();
    auto* bar = new QHBoxLayout(toolBar);
    bar->setContentsMargins(8, 0, 8, 0);
    bar->addWidget(label);
    bar->addWidget(MyComboBox1);
    bar->addWidget(unused);
    bar->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(toolBar);
    layout->addStretch();
    // The page owns the binding that fills the combo box with the software's names.
    new TLinkListControlToField(Software, QStringLiteral("name"), QString(), MyComboBox1, this);
}

THomePage::~THomePage()
{
    DestroyBrowser();
}

void THomePage::Enter()
{
    TDataTable& software = FServCon.Table(ZQParams::TableSoftware);
    Software->SetDataSet(&software);
    const QString orgaId = FServCon.OrgaID();
    FServCon.getOneTable(
        ZQParams::TableSoftware,
        QStringLiteral("Select * From software s, conorgasoftware os where s.id=os.software_id and "
                       "os.orga_id=") +
            orgaId,
        QString());
    software.AfterScroll = [this](TDataTable&) {
        LoadNews();
    };
    TFServCon::SetDataSetFirst(software);
}

bool THomePage::Leave()
{
    TDataTable* software = Software->DataSet();
    if (!software)
        return false;
    software->Close();
    Software->SetDataSet(nullptr);
    return true;
}

void THomePage::LoadNews()
{
    TDataTable* software = Software->DataSet();
    if (!software || software->IsEmpty())
        return;
    if (!WebBrowser1) {
        WebBrowser1 = CreateNewsBrowser(QLatin1String(ZQServerSettings::DownloadUser),
                                        QLatin1String(ZQServerSettings::DownloadPassword), this);
        WebBrowser1->Widget()->setObjectName(QStringLiteral("WebBrowser1"));
        auto* browserArea = new QVBoxLayout;
        browserArea->setContentsMargins(8, 5, 5, 5);
        browserArea->addWidget(WebBrowser1->Widget());
        auto* pageLayout = static_cast<QVBoxLayout*>(layout());
        delete pageLayout->takeAt(1); // the stretch that kept the tool bar at the top
        pageLayout->addLayout(browserArea, 1);
    }
    WebBrowser1->Load(NewsAddress(software->Value(QStringLiteral("shortcode")).toString(),
                                  software->Value(QStringLiteral("confluenceshortcode")).toString()));
}

QUrl THomePage::NewsShown() const
{
    return WebBrowser1 ? WebBrowser1->Address() : QUrl();
}

void THomePage::DestroyBrowser()
{
    delete WebBrowser1;
    WebBrowser1 = nullptr;
}
