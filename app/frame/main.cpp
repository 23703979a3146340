// Plimo: French verb conjugation for learners and teachers.
#include "Application.h"

int main(int argc, char** argv) {
    Application application(argc, argv);
    if (!application.InitInstance()) return 1;
    int status = application.exec();
    application.ExitInstance();
    return status;
}
