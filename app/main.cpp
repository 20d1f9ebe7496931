#include "app/PageMain.h"
#include "app/ZQApplication.h"
#include "config/ZQCConfig.h"
#include "update/ZQConnector.h"

int main(int argc, char* argv[])
{
    TZQApplication application(argc, argv);
    TZQCConfig config;
    TZQConnector connector;
    TFPageMain window(config, connector);
    window.showMaximized();
    return application.exec();
}
