#include "platform/widgets/MyComboBox.h"

#include <QKeyEvent>
#include <QLocale>

namespace {

bool isLatinLetterOrDigit(QChar ACharacter)
{
    const char16_t code = ACharacter.unicode();
    return (code >= u'0' && code <= u'9') || (code >= u'A' && code <= u'Z') || (code >= u'a' && code <= u'z');
}

} // namespace

TMyComboBox::TMyComboBox(QWidget* AParent) : QComboBox(AParent)
{
    connect(this, &QComboBox::activated, this, [this](int AIndex) {
        if (OnItemChosen)
            OnItemChosen(AIndex);
    });
}

void TMyComboBox::SetListItems(const QList<TListItem>& AItems)
{
    const QSignalBlocker quiet(this);
    clear();
    for (const TListItem& item : AItems)
        addItem(item.text);
}

void TMyComboBox::SetCurrentItem(int AIndex)
{
    const QSignalBlocker quiet(this);
    setCurrentIndex(AIndex);
}

void TMyComboBox::keyPressEvent(QKeyEvent* AEvent)
{
    if (AEvent->key() == Qt::Key_Return || AEvent->key() == Qt::Key_Enter) {
        AEvent->accept();
        return;
    }
    const QString text = AEvent->text();
    if (text.size() != 1 || !isLatinLetterOrDigit(text[0])) {
        QComboBox::keyPressEvent(AEvent);
        return;
    }
    const QDateTime now = QDateTime::currentDateTime();
    const bool continues =
        FLastTimeKeydown.isValid() && FLastTimeKeydown.msecsTo(now) < TypeAheadMilliseconds;
    FKeys = continues ? FKeys + text : text;
    FLastTimeKeydown = now;

    const QLocale locale;
    const QString wanted = locale.toUpper(FKeys);
    for (int index = 0; index < count(); ++index) {
        if (locale.toUpper(itemText(index)).startsWith(wanted)) {
            setCurrentIndex(index);
            if (OnItemChosen)
                OnItemChosen(index);
            AEvent->accept();
            return;
        }
    }
    QComboBox::keyPressEvent(AEvent);
}
