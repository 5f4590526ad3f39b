#include "app/mouse_app.h"

int main(int argc, char** argv)
{
    vexo::CMouseApp app(argc, argv);
    return app.run();
}
