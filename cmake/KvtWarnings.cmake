# Compiler settings shared by every kvt target.
#
# The numbers must be identical on every machine: no contraction of a multiply and an add
# into one fused operation (it changes the last bits), no fast-math, no -march=native.
function(kvt_configure_target target)
  target_compile_features(${target} PUBLIC cxx_std_20)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wconversion -Wsign-conversion -Wshadow -Wold-style-cast
    -Wnon-virtual-dtor -Woverloaded-virtual -Wcast-qual -Wformat=2
    -ffp-contract=off)
endfunction()
