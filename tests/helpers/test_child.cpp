// A process the tests start and end: it waits until it is terminated (or for a minute at most).
#include <windows.h>

int main() {
  Sleep(60000);
  return 0;
}
