# Build for the browser with Debian's emscripten: WebAssembly, tests run under node (the
# toolchain's cross-compiling emulator).
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)

# At -O1 and above emscripten runs its JavaScript optimiser under node, which finds the modules
# Debian packages only on Debian's own module path.
set(CMAKE_CXX_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs)

# Run-time errors are C++ exceptions; emscripten ignores throw/catch unless told otherwise. These
# are its JavaScript-based exceptions, which work with the asynchronous dialogs.
set(CMAKE_CXX_FLAGS_INIT "-fexceptions")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fexceptions")
