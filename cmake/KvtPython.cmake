# The Python package is built for Debian's own Python, whose pandas, Dask and matplotlib come
# from Debian too: a module built for another interpreter on PATH (pyenv, conda) would not load
# into it. It is built when that Python and pybind11 are found, and never with the sanitizers: a
# module built with them cannot be loaded into an interpreter built without.
option(KVT_BUILD_PYTHON "Build the Python package kvt (needs pybind11 and Python's headers)" ON)
set(KVT_PYTHON OFF)
if(KVT_BUILD_PYTHON AND NOT KVT_SANITIZE AND NOT KVT_BUILD_FUZZERS)
  if(NOT DEFINED Python3_EXECUTABLE AND EXISTS /usr/bin/python3)
    set(Python3_EXECUTABLE /usr/bin/python3 CACHE FILEPATH "The Python the package is built for")
  endif()
  find_package(Python3 3.9 COMPONENTS Interpreter Development.Module)
  if(Python3_FOUND)
    find_package(pybind11 2.6 CONFIG)
  endif()
  if(Python3_FOUND AND pybind11_FOUND)
    set(KVT_PYTHON ON)
    # The core's static libraries are linked into the module, a shared object. Without semantic
    # interposition the compiler still inlines across functions as it does for the programs.
    set(CMAKE_POSITION_INDEPENDENT_CODE ON)
    add_compile_options(-fno-semantic-interposition)
  else()
    message(STATUS "The Python package is not built: it needs pybind11-dev and python3-dev")
  endif()
endif()
