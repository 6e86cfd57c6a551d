// Writes the application picture as a PNG at build time, for the desktop entry.
#include <cstdio>

#include "app/app_icon.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: tarvelin-make-icon OUTPUT.png\n");
    return 2;
  }
  return tarvelin::ApplicationIcon().save(argv[1], "PNG") ? 0 : 1;
}
