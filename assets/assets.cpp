// The pictures live in this library's resources (see CMakeLists.txt); the
// library needs one translation unit of its own.
namespace tarnwick_assets {
int linked = 1;
}
