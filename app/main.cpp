#include "app/OrvanDlg.h"

int main(int argc, char** argv)
{
    COrvanDlgApp app(argc, argv);
    return app.InitInstance();
}
