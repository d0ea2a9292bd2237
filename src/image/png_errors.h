// Errors of the RGBA image and its writers; each carries its message.
#pragma once

#include <stdexcept>
#include <string>

namespace glyphory {

class EPNGError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class EPNGInvalidSpec : public EPNGError {
 public:
  EPNGInvalidSpec()
      : EPNGError(
            "The \"Portable Network Graphics\" could not be created because invalid image type "
            "parameters have being provided.") {}
};

class EPNGInvalidNewSize : public EPNGError {
 public:
  EPNGInvalidNewSize() : EPNGError("The new size provided for image resizing is invalid.") {}
};

class EPNGHeaderNotPresent : public EPNGError {
 public:
  EPNGHeaderNotPresent()
      : EPNGError("This operation is not valid because the current image contains no valid header.") {}
};

class EPNGOutMemory : public EPNGError {
 public:
  EPNGOutMemory()
      : EPNGError(
            "Some operation could not be performed because the system is out of resources. Close "
            "some windows and try again.") {}
};

}  // namespace glyphory
