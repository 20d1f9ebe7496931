#pragma once

#include <QIcon>

enum class TMenuIcon
{
    None,
    Home,
    Downloads,
    Customers,
    Updates,
    Settings,
    Menu,
    Organisation
};

// The 64 x 64 icons of the main menu and the header buttons, drawn as simple line glyphs.
QIcon MenuIcon(TMenuIcon AIcon);
