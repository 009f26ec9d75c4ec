#include "dialogs/DialogProvider.h"

#include "dialogs/QtDialogProvider.h"

namespace {
DialogProvider *installed = nullptr;
}

DialogProvider::~DialogProvider() = default;

DialogProvider *DialogProvider::instance()
{
    static QtDialogProvider qtDialogs;
    return installed ? installed : &qtDialogs;
}

DialogProvider *DialogProvider::install(DialogProvider *provider)
{
    DialogProvider *previous = installed;
    installed = provider;
    return previous;
}
