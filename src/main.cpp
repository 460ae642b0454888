#include "App/PelmorApp.h"

int main(int argc, char* argv[]) {
    PelmorApp application(argc, argv);
    return application.exec();
}
