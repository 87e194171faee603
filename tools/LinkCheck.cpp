// An empty program linked with the whole of one engine library and the libraries it declares, so
// that a call from a lower layer into a higher one fails the build (see CMakeLists.txt).
int main() {
    return 0;
}
