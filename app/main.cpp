#include "app/PageMain.h"
#include "app/ZQApplication.h"
#include "config/ZQCConfig.h"
#include "server/ServerConnection.h"
#include "update/MyProxyConf.h"
#include "update/ZQConnector.h"

int main(int argc, char* argv[])
{
    TZQApplication application(argc, argv);
    TZQCConfig config;
    TZQConnector connector;
    TFServCon servCon{TMyProxyConf()};
    TFPageMain window(config, connector, servCon);
    window.showMaximized();
    return application.exec();
}
