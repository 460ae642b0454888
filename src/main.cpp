#include "App/PelmorApp.h"
#include "App/QtPlatformChoice.h"

int main(int argc, char* argv[]) {
    QtPlatformChoice::apply(argc, argv);
    PelmorApp application(argc, argv);
    return application.exec();
}
