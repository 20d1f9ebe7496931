#pragma once

#include <QList>
#include <QWidget>

class TBindSource;
class TFServCon;

// A work-area page. Its data sources are named after the tables they show; the main window binds them to
// the data module's tables while the page is shown and calls FrameShow, which loads what the page needs.
class TFrame : public QWidget
{
    Q_OBJECT

public:
    TFrame(TFServCon& AServCon, QWidget* AParent);

    virtual void FrameShow() = 0;

    // The frame's data sources, in the order they were made.
    QList<TBindSource*> DataSources() const;

protected:
    TBindSource* AddDataSource(const QString& AName);

    TFServCon& FServCon;
};

// The four work areas. Each is built out in its own right; until then a page offers its data sources.
class TFCustomer : public TFrame
{
    Q_OBJECT
public:
    TFCustomer(TFServCon& AServCon, QWidget* AParent);
    void FrameShow() override {}
};

class TFDownloads : public TFrame
{
    Q_OBJECT
public:
    TFDownloads(TFServCon& AServCon, QWidget* AParent);
    void FrameShow() override {}
};

class TFUpdates : public TFrame
{
    Q_OBJECT
public:
    TFUpdates(TFServCon& AServCon, QWidget* AParent);
    void FrameShow() override {}
};

class QComboBox;

class TFConfig : public TFrame
{
    Q_OBJECT
public:
    TFConfig(TFServCon& AServCon, QWidget* AParent);
    void FrameShow() override {}

    QComboBox* CB_Userrecht;
};
