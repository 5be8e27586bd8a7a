// The program's own main(), compiled here under another name: the probe runs
// exactly the program's start-up, and QuitWhenShown ends it once the main
// window is on screen. The product itself has no such hidden behaviour.
#define main kestrixMain
#include "app/main.cpp"
#undef main

int main(int argc, char* argv[]) {
    return kestrixMain(argc, argv);
}
