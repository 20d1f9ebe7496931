#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QStackedWidget;
class QToolButton;
class TMultiView;
class TZQCConfig;
class TZQConnector;

// The main window: before the login only the login bar, afterwards the page area with its header, the
// folding main menu, the organisation drawer and six pages (the sixth never offered).
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

    TFPageMain(TZQCConfig& AConfig, TZQConnector& AConnector, QWidget* AParent = nullptr);
    ~TFPageMain() override;

    // The click handler of every main menu entry: opens the entry's page, folds the menu and stores the
    // index of the selected entry (-1 when none is selected) as LastTabIndex.
    void MenuEntryClick(int AIndex);

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
    void PagerChange();
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
    bool FFirstShow = false;

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
    TMultiView* MenueMain = nullptr;
    QListWidget* ListBox1 = nullptr;
    TMultiView* MenueOrga = nullptr;
};
