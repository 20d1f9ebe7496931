#include "app/PageMain.h"

#include "app/HomePage.h"
#include "app/MenuIcons.h"
#include "config/ZQCConfig.h"
#include "pages/Frame.h"
#include "pages/ZQParams.h"
#include "platform/bind/BindSource.h"
#include "platform/bind/LinkListControlToField.h"
#include "platform/widgets/ListView.h"
#include "platform/widgets/MultiView.h"
#include "server/ServerConnection.h"
#include "update/ZQConnector.h"
#include "util/MyTools.h"
#include "util/SystemTools.h"
#include "util/ZQError.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

struct TPageEntry
{
    const char* page;
    const char* entry;
    const char* text;
    TMenuIcon icon;
};

// In the order of the pager's pages and of the main menu's entries (TFPageMain::TPageIndex).
constexpr TPageEntry PageTable[] = {
    {"P1_Home", "M1_Home", "Home", TMenuIcon::Home},
    {"P2_Downloads", "M2_Downloads", "Downloads", TMenuIcon::Downloads},
    {"P3_Costumers", "M3_Costumers", "Kunden", TMenuIcon::Customers},
    {"P4_Updates", "M4_Updates", "Updates", TMenuIcon::Updates},
    {"P5_Config", "M5_Config", "Einstellungen", TMenuIcon::Settings},
    {"P6_CustomerOverview", "M6_CustomerOverview", "M6_CustomerOverview", TMenuIcon::None},
};
constexpr int PageCount = int(std::size(PageTable));

constexpr int LoginBarHeight = 49;
constexpr int HeaderHeight = 48;
constexpr int MenuFoldedWidth = 48;
constexpr int MenuOpenWidth = 250;
constexpr int MenuEntryHeight = 40;
constexpr int PagerLeftMargin = 45;
constexpr int OrgaDrawerWidth = 489;

template <class T>
T* named(T* AWidget, const char* AName)
{
    AWidget->setObjectName(QLatin1String(AName));
    return AWidget;
}

} // namespace

TFPageMain::TFPageMain(TZQCConfig& AConfig, TZQConnector& AConnector, TFServCon& AServCon, QWidget* AParent)
    : QWidget(AParent), FConfig(AConfig), FConnector(AConnector), FServCon(AServCon)
{
    setObjectName(QStringLiteral("FPageMain"));
    setWindowTitle(QStringLiteral("ZQConnect"));
    resize(849, 660);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(CreateLoginBar());
    layout->addWidget(CreatePageArea(), 1);
    layout->addStretch();

    FormCreate();
}

TFPageMain::~TFPageMain()
{
    FormDestroy();
}

void TFPageMain::FormCreate()
{
    if (FConnector.UpdateAvailable())
        return;
    FConnected = false;
    L_Main->hide();
    P_Login->show();
    FFirstShow = true;
}

void TFPageMain::showEvent(QShowEvent* AEvent)
{
    QWidget::showEvent(AEvent);
    FormShow();
}

void TFPageMain::FormShow()
{
    if (!FFirstShow)
        return;
    setWindowTitle(QStringLiteral("ZQ-Connect (") + GetVersionTitle(SystemTools::GetExePath()) +
                   QLatin1Char(')'));
    const TZQCConfigFile& record = FConfig.ConfigFile();
    CB_SaveLoginData->setChecked(record.SaveLoginData());
    E_EMail->setText(record.Username());
    E_Pass->setText(record.Password());
    FFirstShow = false;
    FramesCreate();
    Orga->SetDataSet(FServCon.FindComponent(QStringLiteral("mtOrga")));
    FServCon.OnRefreshControlActivate = true;
    FServCon.OnRefreshControls = [this](const QString& ATablename, bool) {
        RefreshListLinks(ATablename);
    };
}

void TFPageMain::closeEvent(QCloseEvent* AEvent)
{
    QWidget::closeEvent(AEvent);
    FormClose();
}

void TFPageMain::FormClose()
{
    FHomePage->DestroyBrowser();
    FConfig.SaveConfigfile();
}

void TFPageMain::FormDestroy()
{
    FServCon.OnRefreshControls = nullptr;
    try {
        FConfig.SaveConfigfile();
    } catch (const EZQError& error) {
        // The window is gone; the same failure was already shown when it closed.
        qWarning("%s", qUtf8Printable(error.Message()));
    }
}

QString TFPageMain::GetVersionTitle(const QString& AFilePath)
{
    return TMyToolsEXE::getVersionNR(AFilePath, false);
}

void TFPageMain::FramesCreate()
{
    const auto place = [this](TFrame* AFrame, TPageIndex APage) {
        auto* layout = new QVBoxLayout(Pager->widget(APage));
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(AFrame);
        FCurrentFrame = AFrame;
        FrameClose();
        return AFrame;
    };
    FFrameCustomer = static_cast<TFCustomer*>(place(new TFCustomer(FServCon, nullptr), P3_Costumers));
    FFrameDownloads = static_cast<TFDownloads*>(place(new TFDownloads(FServCon, nullptr), P2_Downloads));
    FFrameConfig = static_cast<TFConfig*>(place(new TFConfig(FServCon, nullptr), P5_Config));
    FFrameUpdates = static_cast<TFUpdates*>(place(new TFUpdates(FServCon, nullptr), P4_Updates));
    FCurrentFrame = nullptr;
    FFrameConfig->CB_Userrecht->addItems(
        {ZQParams::RightStandard, ZQParams::RightAdmin, ZQParams::RightPraxisuser});
}

void TFPageMain::FrameStart()
{
    for (TBindSource* source : FCurrentFrame->DataSources())
        source->SetDataSet(FServCon.FindComponent(QStringLiteral("mt") + source->objectName()));
}

void TFPageMain::FrameClose()
{
    if (!FCurrentFrame)
        return;
    for (TBindSource* source : FCurrentFrame->DataSources()) {
        if (TDataTable* table = source->DataSet()) {
            table->Close();
            source->SetDataSet(nullptr);
        }
    }
}

void TFPageMain::PagerChange()
{
    if (FCurrentFrame)
        FrameClose();
    else
        FHomePage->Leave();
    FServCon.ResetFunctions();
    switch (Pager->currentIndex()) {
    case P3_Costumers:
        EnterFramePage(FFrameCustomer, "Kundenverwaltung");
        break;
    case P1_Home:
        FCurrentFrame = nullptr;
        FHomePage->Enter();
        L_Header->setText(QStringLiteral("News"));
        break;
    case P4_Updates:
        EnterFramePage(FFrameUpdates, "Updateverwaltung");
        break;
    case P5_Config:
        EnterFramePage(FFrameConfig, "Einstellungen");
        break;
    case P2_Downloads:
        EnterFramePage(FFrameDownloads, "Downloadcenter");
        break;
    default:
        // The sixth page: the page left stays current, with its data sources unbound.
        break;
    }
}

void TFPageMain::EnterFramePage(TFrame* AFrame, const char* AHeader)
{
    FCurrentFrame = AFrame;
    FrameStart();
    AFrame->FrameShow();
    L_Header->setText(QLatin1String(AHeader));
}

void TFPageMain::RefreshListLinks(const QString& ATablename)
{
    if (!FCurrentFrame)
        return;
    for (TLinkListControlToField* link : FCurrentFrame->findChildren<TLinkListControlToField*>()) {
        if (link->DataSource() && link->DataSource()->objectName().toUpper() == ATablename.toUpper()) {
            link->SetActive(false);
            link->SetActive(true);
        }
    }
}

void TFPageMain::MenuEntryClick(int AIndex)
{
    Pager->setCurrentIndex(AIndex);
    MenueMain->HideMaster();
    FConfig.ConfigFile().SetLastTabIndex(SelectedMenuEntry());
}

int TFPageMain::SelectedMenuEntry() const
{
    const QList<QListWidgetItem*> selected = ListBox1->selectedItems();
    return selected.isEmpty() ? -1 : ListBox1->row(selected.first());
}

void TFPageMain::BT_LoginClick()
{
    FServCon.SetLoginUsername(E_EMail->text());
    FServCon.SetLoginPassword(E_Pass->text());
    if (!FServCon.isConnected()) {
        SetConnected(false);
        return;
    }
    TZQCConfigFile& record = FConfig.ConfigFile();
    record.SetSaveLoginData(CB_SaveLoginData->isChecked());
    record.SetUsername(CB_SaveLoginData->isChecked() ? E_EMail->text() : QString());
    record.SetPassword(CB_SaveLoginData->isChecked() ? E_Pass->text() : QString());
    FConfig.SaveConfigfile();
    SetConnected(true);
}

void TFPageMain::SetConnected(bool AConnected)
{
    FConnected = AConnected;
    if (!AConnected) {
        L_Main->hide();
        P_Login->show();
        return;
    }
    FServCon.SetSessionVariable();
    const QString rights = FServCon.ServerLoginRights();
    ListBox1->item(P4_Updates)->setHidden(!HasRight(rights, ZQParams::RightAdmin));
    if (!HasRight(rights, ZQParams::RightZQXTInstaller)) {
        MenueOrga->SetMasterButton(nullptr);
        BT_OrgaChange->hide();
    }
    const int lastPage = FConfig.ConfigFile().LastTabIndex();
    // A stored index beyond the menu cannot come from this program; it opens no page.
    if (lastPage >= 0 && lastPage < PageCount)
        MenuEntryClick(lastPage);
    L_Main->show();
    P_Login->hide();
    if (Pager->currentIndex() == P1_Home)
        PagerChange();
}

void TFPageMain::Button1Click()
{
    TDataTable* orgas = Orga->DataSet();
    if (!orgas || orgas->IsEmpty())
        return;
    FServCon.SetOrgaID(orgas->Value(QStringLiteral("id")).toString());
    Pager->setCurrentIndex(P1_Home);
    MenueOrga->HideMaster();
}

void TFPageMain::MenueStartShowing()
{
    Pager->hide();
}

void TFPageMain::MenueStartHiding()
{
    Pager->show();
}

QWidget* TFPageMain::CreateLoginBar()
{
    P_Login = named(new QWidget, "P_Login");
    P_Login->setFixedHeight(LoginBarHeight);

    auto* title = named(new QLabel(QStringLiteral("Loginformular:")), "Label1");
    QFont titleFont = title->font();
    titleFont.setPointSize(16);
    title->setFont(titleFont);
    title->setStyleSheet(QStringLiteral("color: crimson;"));

    E_EMail = named(new QLineEdit, "E_EMail");
    E_Pass = named(new QLineEdit, "E_Pass");
    E_Pass->setEchoMode(QLineEdit::Password);
    BT_Login = named(new QPushButton(QStringLiteral("Login")), "BT_Login");
    CB_SaveLoginData = named(new QCheckBox(QStringLiteral("Anmeldedaten sichern")), "CB_SaveLoginData");
    connect(BT_Login, &QPushButton::clicked, this, &TFPageMain::BT_LoginClick);
    // Enter in either field logs in, as a click on "Login" would.
    connect(E_EMail, &QLineEdit::returnPressed, BT_Login, &QPushButton::click);
    connect(E_Pass, &QLineEdit::returnPressed, BT_Login, &QPushButton::click);

    auto* crimsonLine = new QFrame;
    crimsonLine->setFixedHeight(2);
    crimsonLine->setStyleSheet(QStringLiteral("background-color: crimson;"));

    auto* bar = new QVBoxLayout(P_Login);
    bar->setContentsMargins(0, 0, 0, 0);
    bar->setSpacing(0);
    auto* layout = new QHBoxLayout;
    layout->setContentsMargins(8, 0, 8, 0);
    layout->setSpacing(6);
    bar->addLayout(layout, 1);
    bar->addWidget(crimsonLine);
    layout->addWidget(title);
    layout->addSpacing(16);
    layout->addWidget(named(new QLabel(QStringLiteral("E-Mail:")), "Label2"));
    layout->addWidget(E_EMail, 2);
    layout->addWidget(named(new QLabel(QStringLiteral("Passwort:")), "Label3"));
    layout->addWidget(E_Pass, 1);
    layout->addWidget(BT_Login);
    layout->addWidget(CB_SaveLoginData);
    layout->addStretch(1);
    return P_Login;
}

QWidget* TFPageMain::CreatePageArea()
{
    L_Main = named(new QWidget, "L_Main");
    auto* layout = new QVBoxLayout(L_Main);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(CreateHeader());

    // The pages and the two panes that fold out over them.
    auto* body = new QWidget;
    auto* bodyLayout = new QVBoxLayout(body);
    bodyLayout->setContentsMargins(PagerLeftMargin, 0, 0, 0);
    Pager = named(new QStackedWidget, "Pager");
    for (const TPageEntry& entry : PageTable)
        Pager->addWidget(named(new QWidget, entry.page));
    FHomePage = new THomePage(FServCon, Pager->widget(P1_Home));
    auto* homeLayout = new QVBoxLayout(Pager->widget(P1_Home));
    homeLayout->setContentsMargins(0, 0, 0, 0);
    homeLayout->addWidget(FHomePage);
    bodyLayout->addWidget(Pager);
    layout->addWidget(body, 1);
    connect(Pager, &QStackedWidget::currentChanged, this, &TFPageMain::PagerChange);

    CreateMainMenu(body);
    CreateOrgaDrawer(body);
    return L_Main;
}

QWidget* TFPageMain::CreateHeader()
{
    auto* header = named(new QFrame, "P_Header");
    header->setFixedHeight(HeaderHeight);
    header->setFrameShape(QFrame::StyledPanel);

    L_Header = named(new QLabel(QStringLiteral("Artikelsuche")), "L_Header");
    L_Header->setAlignment(Qt::AlignCenter);
    QFont headerFont = L_Header->font();
    headerFont.setPointSize(14);
    L_Header->setFont(headerFont);

    MasterButton = named(new QToolButton, "MasterButton");
    MasterButton->setIcon(MenuIcon(TMenuIcon::Menu));
    MasterButton->setIconSize(QSize(32, 32));
    MasterButton->setAutoRaise(true);
    BT_OrgaChange = named(new QToolButton, "BT_OrgaChange");
    BT_OrgaChange->setIcon(MenuIcon(TMenuIcon::Organisation));
    BT_OrgaChange->setIconSize(QSize(32, 32));
    BT_OrgaChange->setAutoRaise(true);

    // The label spans the whole bar so that its text is centred on the window, not between the buttons.
    auto* layout = new QGridLayout(header);
    layout->setContentsMargins(4, 0, 4, 0);
    layout->addWidget(L_Header, 0, 0, 1, 3);
    layout->addWidget(MasterButton, 0, 0, Qt::AlignLeft | Qt::AlignVCenter);
    layout->addWidget(BT_OrgaChange, 0, 2, Qt::AlignRight | Qt::AlignVCenter);
    layout->setColumnStretch(1, 1);
    return header;
}

void TFPageMain::CreateMainMenu(QWidget* AHost)
{
    MenueMain = named(new TMultiView(TMultiView::TMode::NavigationPane, Qt::LeftEdge, AHost), "MenueMain");
    MenueMain->SetWidths(MenuFoldedWidth, MenuOpenWidth);
    MenueMain->SetMasterButton(MasterButton);

    ListBox1 = named(new QListWidget, "ListBox1");
    ListBox1->setIconSize(QSize(32, 32));
    ListBox1->setFrameShape(QFrame::NoFrame);
    ListBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (const TPageEntry& entry : PageTable) {
        auto* item = new QListWidgetItem(MenuIcon(entry.icon), QLatin1String(entry.text), ListBox1);
        item->setData(Qt::UserRole, QLatin1String(entry.entry));
        item->setSizeHint(QSize(MenuOpenWidth, MenuEntryHeight));
    }
    ListBox1->item(P6_CustomerOverview)->setHidden(true);
    connect(ListBox1, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* AItem) { MenuEntryClick(ListBox1->row(AItem)); });
    MenueMain->SetContent(ListBox1);

    connect(MenueMain, &TMultiView::StartShowing, this, &TFPageMain::MenueStartShowing);
    connect(MenueMain, &TMultiView::StartHiding, this, &TFPageMain::MenueStartHiding);
}

void TFPageMain::CreateOrgaDrawer(QWidget* AHost)
{
    MenueOrga = named(new TMultiView(TMultiView::TMode::Drawer, Qt::RightEdge, AHost), "MenueOrga");
    MenueOrga->SetWidths(0, OrgaDrawerWidth);
    MenueOrga->SetMasterButton(BT_OrgaChange);

    auto* content = new QWidget;
    ListView1 = named(new TListView, "ListView1");
    auto* choose = named(new QPushButton(QStringLiteral("Diese Organisation auswählen")), "Button1");
    choose->setFixedHeight(51);
    QFont chooseFont = choose->font();
    chooseFont.setPointSize(14);
    choose->setFont(chooseFont);
    choose->setStyleSheet(QStringLiteral("color: brown;"));
    connect(choose, &QPushButton::clicked, this, &TFPageMain::Button1Click);
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(4, 4, 4, 0);
    layout->addWidget(ListView1, 1);
    layout->addWidget(choose);
    MenueOrga->SetContent(content);

    Orga = new TBindSource(QStringLiteral("Orga"), this);
    // The window owns the binding that fills the drawer's list with the organisations.
    new TLinkListControlToField(Orga, QStringLiteral("name"), QStringLiteral("city"), ListView1, this);

    connect(MenueOrga, &TMultiView::StartShowing, this, &TFPageMain::MenueStartShowing);
    connect(MenueOrga, &TMultiView::StartHiding, this, &TFPageMain::MenueStartHiding);
}
