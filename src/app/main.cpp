#include "launch.h"

int main(int argc, char** argv) {
    return pellomarin::launch(argc, argv);
}
