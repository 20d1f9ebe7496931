#include "app/PageMain.h"

#include "app/MenuIcons.h"
#include "config/ZQCConfig.h"
#include "platform/widgets/MultiView.h"
#include "update/ZQConnector.h"
#include "util/MyTools.h"
#include "util/SystemTools.h"
#include "util/ZQError.h"

#include <QCheckBox>
#include <QCloseEvent>
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
    const char* header; // nullptr: entering the page leaves the header text as it is
    TMenuIcon icon;
};

// In the order of the pager's pages and of the main menu's entries (TFPageMain::TPageIndex).
constexpr TPageEntry PageTable[] = {
    {"P1_Home", "M1_Home", "Home", "News", TMenuIcon::Home},
    {"P2_Downloads", "M2_Downloads", "Downloads", "Downloadcenter", TMenuIcon::Downloads},
    {"P3_Costumers", "M3_Costumers", "Kunden", "Kundenverwaltung", TMenuIcon::Customers},
    {"P4_Updates", "M4_Updates", "Updates", "Updateverwaltung", TMenuIcon::Updates},
    {"P5_Config", "M5_Config", "Einstellungen", "Einstellungen", TMenuIcon::Settings},
    {"P6_CustomerOverview", "M6_CustomerOverview", "M6_CustomerOverview", nullptr, TMenuIcon::None},
};

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

TFPageMain::TFPageMain(TZQCConfig& AConfig, TZQConnector& AConnector, QWidget* AParent)
    : QWidget(AParent), FConfig(AConfig), FConnector(AConnector)
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
}

void TFPageMain::closeEvent(QCloseEvent* AEvent)
{
    QWidget::closeEvent(AEvent);
    FormClose();
}

void TFPageMain::FormClose()
{
    FConfig.SaveConfigfile();
}

void TFPageMain::FormDestroy()
{
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

void TFPageMain::PagerChange()
{
    const char* header = PageTable[Pager->currentIndex()].header;
    if (header)
        L_Header->setText(QLatin1String(header));
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
    connect(MenueOrga, &TMultiView::StartShowing, this, &TFPageMain::MenueStartShowing);
    connect(MenueOrga, &TMultiView::StartHiding, this, &TFPageMain::MenueStartHiding);
}
