// vexorel-profile: the program's private-profile engine from the command line.
#include <cstdio>

int main() {
  std::fputs("usage: vexorel-profile get FILE SECTION KEY [DEFAULT]\n       vexorel-profile set FILE SECTION KEY VALUE\n", stderr);
  return 2;
}
