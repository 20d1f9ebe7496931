#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QStackedWidget;
class QToolButton;
class TBindSource;
class TFCustomer;
class TFConfig;
class TFDownloads;
class TFrame;
class TFServCon;
class TFUpdates;
class THomePage;
class TListView;
class TMultiView;
class TZQCConfig;
class TZQConnector;

// The main window: before the login only the login bar, afterwards the page area with its header, the
// folding main menu, the organisation drawer and six pages (the sixth never offered). Every change of page
// unbinds the page left and binds and loads the page entered.
class TFPageMain : public QWidget
{
    Q_OBJECT

public:
    // The index of each page in the pager and of its entry in the main menu; stored as LastTabIndex.
    enum TPageIndex
    {
        P1_Home,
        P2_Downloads,
        P3_Costumers,
        P4_Updates,
        P5_Config,
        P6_CustomerOverview
    };

    TFPageMain(TZQCConfig& AConfig, TZQConnector& AConnector, TFServCon& AServCon,
               QWidget* AParent = nullptr);
    ~TFPageMain() override;

    // The click handler of every main menu entry: opens the entry's page, folds the menu and stores the
    // index of the selected entry (-1 when none is selected) as LastTabIndex.
    void MenuEntryClick(int AIndex);

    // Logs in with the login bar's e-mail and password; errors of the connection test reach the user.
    void BT_LoginClick();
    // Takes the drawer's current organisation and opens the home page for it.
    void Button1Click();

    bool Connected() const { return FConnected; }
    void SetConnected(bool AConnected);

    // Refills the current page's lists that show the table ATablename (case ignored).
    void RefreshListLinks(const QString& ATablename);

    // The version key of the program file at AFilePath, shown in the caption.
    static QString GetVersionTitle(const QString& AFilePath);

protected:
    void showEvent(QShowEvent* AEvent) override;
    void closeEvent(QCloseEvent* AEvent) override;

private:
    void FormCreate();
    void FormShow();
    void FormClose();
    void FormDestroy();
    void FramesCreate();
    void FrameStart();
    void FrameClose();
    void PagerChange();
    void EnterFramePage(TFrame* AFrame, const char* AHeader);
    void MenueStartShowing();
    void MenueStartHiding();

    QWidget* CreateLoginBar();
    QWidget* CreatePageArea();
    QWidget* CreateHeader();
    void CreateMainMenu(QWidget* AHost);
    void CreateOrgaDrawer(QWidget* AHost);
    int SelectedMenuEntry() const;

    TZQCConfig& FConfig;
    TZQConnector& FConnector;
    TFServCon& FServCon;
    bool FConnected = false;
    bool FFirstShow = false;
    TFrame* FCurrentFrame = nullptr;
    TFCustomer* FFrameCustomer = nullptr;
    TFDownloads* FFrameDownloads = nullptr;
    TFConfig* FFrameConfig = nullptr;
    TFUpdates* FFrameUpdates = nullptr;

    QWidget* P_Login = nullptr;
    QLineEdit* E_EMail = nullptr;
    QLineEdit* E_Pass = nullptr;
    QPushButton* BT_Login = nullptr;
    QCheckBox* CB_SaveLoginData = nullptr;
    QWidget* L_Main = nullptr;
    QLabel* L_Header = nullptr;
    QToolButton* MasterButton = nullptr;
    QToolButton* BT_OrgaChange = nullptr;
    QStackedWidget* Pager = nullptr;
    THomePage* FHomePage = nullptr;
    TMultiView* MenueMain = nullptr;
    QListWidget* ListBox1 = nullptr;
    TMultiView* MenueOrga = nullptr;
    TBindSource* Orga = nullptr;
    TListView* ListView1 = nullptr;
};
