// The program's one kind of run-time error: the number and text of the failure that a platform
// call reported. Errors travel up to the event dispatch, which reports them and ends the program.
#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <utility>

namespace calmora {

class RuntimeError : public std::exception {
 public:
  // `detail` names what the failing call worked on (usually a path); it may be empty.
  RuntimeError(std::uint32_t number, std::wstring text, std::wstring detail = {})
      : number_(number), text_(std::move(text)), detail_(std::move(detail)) {}

  std::uint32_t Number() const noexcept { return number_; }
  const std::wstring& Text() const noexcept { return text_; }
  const std::wstring& Detail() const noexcept { return detail_; }
  const char* what() const noexcept override { return "Calmora run-time error"; }

 private:
  std::uint32_t number_;
  std::wstring text_;
  std::wstring detail_;
};

}  // namespace calmora
