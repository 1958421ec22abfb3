// A netCDF file held open for the time of one read or write, with the few
// calls the SOFA reader and writer need. Every call reports failure as a
// message naming what was asked; nothing here throws.
#pragma once

#include <cstddef>
#include <expected>
#include <string>
#include <vector>

namespace fonderel {

class NetCdfFile {
 public:
  // Opens an existing file for reading, or creates a file (netCDF-4 unless
  // `classic`, the netCDF-3 format, which only tests make).
  static std::expected<NetCdfFile, std::string> Open(const std::string& path);
  static std::expected<NetCdfFile, std::string> Create(const std::string& path,
                                                       bool classic = false);
  // Opens bytes held in memory, which must outlive the NetCdfFile; `name`
  // only names them in messages.
  static std::expected<NetCdfFile, std::string> OpenMemory(const std::string& name,
                                                           const std::string& bytes);
  NetCdfFile(NetCdfFile&& other) noexcept : id_(other.id_) { other.id_ = -1; }
  NetCdfFile& operator=(NetCdfFile&&) = delete;
  NetCdfFile(const NetCdfFile&) = delete;
  ~NetCdfFile();
  // Closes the file; for a created file this is where its data reach the disk.
  std::expected<void, std::string> Close();

  // Reading. The file is a netCDF-4 (HDF5) file, not one of the netCDF-3
  // formats; otherwise the message says which format it is.
  std::expected<void, std::string> RequireNetCdf4() const;
  bool HasAttribute(const std::string& variable, const std::string& name) const;
  // A text attribute of the file (`variable` empty) or of a variable.
  std::expected<std::string, std::string> TextAttribute(const std::string& variable,
                                                        const std::string& name) const;
  bool HasVariable(const std::string& name) const;
  // The names and lengths of a variable's dimensions, in order.
  struct Dimension {
    std::string name;
    std::size_t length = 0;
  };
  std::expected<std::vector<Dimension>, std::string> Dimensions(const std::string& variable) const;
  // The values of a hyperslab of a variable as doubles.
  std::expected<std::vector<double>, std::string> Values(
      const std::string& variable, const std::vector<std::size_t>& start,
      const std::vector<std::size_t>& count) const;

  // Writing (a created file, before Close).
  std::expected<int, std::string> AddDimension(const std::string& name, std::size_t length);
  std::expected<int, std::string> AddVariable(const std::string& name,
                                              const std::vector<int>& dimensions);
  std::expected<void, std::string> PutText(const std::string& variable, const std::string& name,
                                           const std::string& value);
  std::expected<void, std::string> PutValues(const std::string& variable,
                                             const std::vector<double>& values);

  // The library's id of the open file, for a call this class does not wrap.
  int Handle() const { return id_; }

 private:
  explicit NetCdfFile(int id) : id_(id) {}
  std::expected<int, std::string> VariableId(const std::string& name) const;
  int id_ = -1;
};

}  // namespace fonderel
