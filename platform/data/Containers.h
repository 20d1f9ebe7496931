#pragma once

#include "platform/data/ChangeLog.h"
#include "platform/data/FieldDef.h"

#include <QList>
#include <QPair>
#include <QString>

// The named data sets of a table read, and the named change logs of a table write.
using TDataSetList = QList<QPair<QString, TDataSetRows>>;
using TDeltaList = QList<QPair<QString, TChangeLog>>;
