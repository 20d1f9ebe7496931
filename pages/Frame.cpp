#include "pages/Frame.h"

#include "platform/bind/BindSource.h"

#include <QComboBox>
#include <QVBoxLayout>

TFrame::TFrame(TFServCon& AServCon, QWidget* AParent) : QWidget(AParent), FServCon(AServCon) {}

TBindSource* TFrame::AddDataSource(const QString& AName)
{
    return new TBindSource(AName, this);
}

QList<TBindSource*> TFrame::DataSources() const
{
    return findChildren<TBindSource*>(QString(), Qt::FindDirectChildrenOnly);
}

TFCustomer::TFCustomer(TFServCon& AServCon, QWidget* AParent) : TFrame(AServCon, AParent)
{
    setObjectName(QStringLiteral("FCustomer"));
    AddDataSource(QStringLiteral("Customer"));
    AddDataSource(QStringLiteral("Customertype"));
    AddDataSource(QStringLiteral("Softwaresystem"));
}

TFDownloads::TFDownloads(TFServCon& AServCon, QWidget* AParent) : TFrame(AServCon, AParent)
{
    setObjectName(QStringLiteral("FDownloads"));
    AddDataSource(QStringLiteral("Filename"));
    AddDataSource(QStringLiteral("Filenameversion"));
}

TFUpdates::TFUpdates(TFServCon& AServCon, QWidget* AParent) : TFrame(AServCon, AParent)
{
    setObjectName(QStringLiteral("FUpdates"));
    for (const char* name :
         {"Updateversion", "Filename", "Filenameversion", "Conupversionpraxis", "Customer"})
        AddDataSource(QLatin1String(name));
}

TFConfig::TFConfig(TFServCon& AServCon, QWidget* AParent)
    : TFrame(AServCon, AParent), CB_Userrecht(new QComboBox(this))
{
    setObjectName(QStringLiteral("FConfig"));
    for (const char* name : {"orgauser", "customer", "concustomeruser"})
        AddDataSource(QLatin1String(name));
    CB_Userrecht->setObjectName(QStringLiteral("CB_Userrecht"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(CB_Userrecht, 0, Qt::AlignLeft | Qt::AlignTop);
}
