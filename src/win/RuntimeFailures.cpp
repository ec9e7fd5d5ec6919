// What the C++ runtime does when it cannot go on: memory that cannot be had,
// or a string asked to grow past what it can hold. The program catches no
// exception, so each of these ends the process with abort(), as an uncaught
// exception would, and none of them throws: the release links no exception
// machinery, no unwinder and no terminate handler, which are most of a
// statically linked C++ runtime's size.

#include <cstddef>
#include <cstdlib>
#include <new>

void* operator new(std::size_t size) {
  // malloc(0) may return null; a request of zero bytes still gets an address.
  void* memory = std::malloc(size != 0 ? size : 1);
  if (memory == nullptr) std::abort();
  return memory;
}

void* operator new[](std::size_t size) { return operator new(size); }

void operator delete(void* memory) noexcept { std::free(memory); }

void operator delete[](void* memory) noexcept { std::free(memory); }

void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }

void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }

#if defined(__GLIBCXX__)
// libstdc++'s containers report misuse through these functions; its own
// definitions throw. Ours end the process where the throw would have.
namespace std {
void __throw_bad_alloc() { std::abort(); }
void __throw_bad_array_new_length() { std::abort(); }
void __throw_length_error(const char*) { std::abort(); }
void __throw_logic_error(const char*) { std::abort(); }
void __throw_out_of_range(const char*) { std::abort(); }
void __throw_out_of_range_fmt(const char*, ...) { std::abort(); }
}  // namespace std
#endif
