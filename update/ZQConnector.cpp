#include "update/ZQConnector.h"

bool TZQConnector::UpdateAvailable()
{
    // The update check and the hand-over to the updater are not built yet: the program always goes on.
    return false;
}
