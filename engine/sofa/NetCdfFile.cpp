#include "sofa/NetCdfFile.h"

#include <netcdf.h>
#include <netcdf_mem.h>

namespace fonderel {
namespace {

std::string Problem(const std::string& what, int status) {
  return what + " (" + nc_strerror(status) + ")";
}

}  // namespace

std::expected<NetCdfFile, std::string> NetCdfFile::Open(const std::string& path) {
  int id = -1;
  if (const int status = nc_open(path.c_str(), NC_NOWRITE, &id); status != NC_NOERR) {
    return std::unexpected(Problem("not a readable netCDF file", status));
  }
  return NetCdfFile(id);
}

std::expected<NetCdfFile, std::string> NetCdfFile::OpenMemory(const std::string& name,
                                                              const std::string& bytes) {
  int id = -1;
  // The library only reads the bytes (NC_NOWRITE), whatever its pointer type says.
  void* memory = const_cast<char*>(bytes.data());
  if (const int status = nc_open_mem(name.c_str(), NC_NOWRITE, bytes.size(), memory, &id);
      status != NC_NOERR) {
    return std::unexpected(Problem("not a readable netCDF file", status));
  }
  return NetCdfFile(id);
}

std::expected<NetCdfFile, std::string> NetCdfFile::Create(const std::string& path, bool classic) {
  int id = -1;
  const int mode = (classic ? 0 : NC_NETCDF4) | NC_CLOBBER;  // 0: the netCDF-3 classic format
  if (const int status = nc_create(path.c_str(), mode, &id); status != NC_NOERR) {
    return std::unexpected(Problem("cannot create the file", status));
  }
  return NetCdfFile(id);
}

NetCdfFile::~NetCdfFile() {
  if (id_ >= 0) nc_close(id_);
}

std::expected<void, std::string> NetCdfFile::Close() {
  const int status = nc_close(id_);
  id_ = -1;
  if (status != NC_NOERR) return std::unexpected(Problem("cannot finish the file", status));
  return {};
}

std::expected<int, std::string> NetCdfFile::VariableId(const std::string& name) const {
  if (name.empty()) return NC_GLOBAL;
  int var = -1;
  if (const int status = nc_inq_varid(id_, name.c_str(), &var); status != NC_NOERR) {
    return std::unexpected(Problem("no variable " + name, status));
  }
  return var;
}

std::expected<void, std::string> NetCdfFile::RequireNetCdf4() const {
  int format = 0;
  if (const int status = nc_inq_format(id_, &format); status != NC_NOERR) {
    return std::unexpected(Problem("cannot tell the file's format", status));
  }
  if (format == NC_FORMAT_NETCDF4 || format == NC_FORMAT_NETCDF4_CLASSIC) return {};
  const char* name = format == NC_FORMAT_CLASSIC        ? "netCDF-3 classic"
                     : format == NC_FORMAT_64BIT_OFFSET ? "netCDF-3 64-bit offset"
                     : format == NC_FORMAT_64BIT_DATA   ? "netCDF-3 64-bit data (CDF-5)"
                                                        : "not netCDF-4";
  return std::unexpected(std::string("the file is in the ") + name +
                         " format; SOFA files are netCDF-4 (HDF5) files");
}

bool NetCdfFile::HasAttribute(const std::string& variable, const std::string& name) const {
  auto var = VariableId(variable);
  int number = 0;
  return var && nc_inq_attid(id_, *var, name.c_str(), &number) == NC_NOERR;
}

bool NetCdfFile::HasVariable(const std::string& name) const {
  int var = -1;
  return nc_inq_varid(id_, name.c_str(), &var) == NC_NOERR;
}

std::expected<std::string, std::string> NetCdfFile::TextAttribute(const std::string& variable,
                                                                  const std::string& name) const {
  const std::string owner = variable.empty() ? "the file" : variable;
  auto var = VariableId(variable);
  if (!var) return std::unexpected(var.error());
  nc_type type = NC_NAT;
  std::size_t length = 0;
  if (const int status = nc_inq_att(id_, *var, name.c_str(), &type, &length); status != NC_NOERR) {
    return std::unexpected(Problem("no attribute " + name + " in " + owner, status));
  }
  if (type == NC_CHAR) {
    std::string text(length, '\0');
    if (const int status = nc_get_att_text(id_, *var, name.c_str(), text.data());
        status != NC_NOERR) {
      return std::unexpected(Problem("cannot read the attribute " + name, status));
    }
    while (!text.empty() && text.back() == '\0') text.pop_back();
    return text;
  }
  if (type == NC_STRING && length != 1) {
    return std::unexpected("the attribute " + name + " of " + owner + " holds " +
                           std::to_string(length) + " texts instead of one");
  }
  if (type == NC_STRING) {
    char* value = nullptr;
    if (const int status = nc_get_att_string(id_, *var, name.c_str(), &value); status != NC_NOERR) {
      return std::unexpected(Problem("cannot read the attribute " + name, status));
    }
    std::string text = value != nullptr ? value : "";
    nc_free_string(1, &value);
    return text;
  }
  return std::unexpected("the attribute " + name + " of " + owner + " is " +
                         (length == 1 ? "a number" : std::to_string(length) + " numbers") +
                         ", not a text");
}

std::expected<std::vector<NetCdfFile::Dimension>, std::string> NetCdfFile::Dimensions(
    const std::string& variable) const {
  auto var = VariableId(variable);
  if (!var) return std::unexpected(var.error());
  int count = 0;
  if (const int status = nc_inq_varndims(id_, *var, &count); status != NC_NOERR) {
    return std::unexpected(Problem("cannot read the dimensions of " + variable, status));
  }
  std::vector<int> ids(static_cast<std::size_t>(count));
  if (count > 0) {
    if (const int status = nc_inq_vardimid(id_, *var, ids.data()); status != NC_NOERR) {
      return std::unexpected(Problem("cannot read the dimensions of " + variable, status));
    }
  }
  std::vector<Dimension> dims;
  for (const int dim : ids) {
    char name[NC_MAX_NAME + 1] = {};
    std::size_t length = 0;
    if (const int status = nc_inq_dim(id_, dim, name, &length); status != NC_NOERR) {
      return std::unexpected(Problem("cannot read the dimensions of " + variable, status));
    }
    dims.push_back({name, length});
  }
  return dims;
}

std::expected<std::vector<double>, std::string> NetCdfFile::Values(
    const std::string& variable, const std::vector<std::size_t>& start,
    const std::vector<std::size_t>& count) const {
  auto var = VariableId(variable);
  if (!var) return std::unexpected(var.error());
  std::size_t total = 1;
  for (const std::size_t n : count) total *= n;
  std::vector<double> values(total);
  if (total == 0) return values;
  if (const int status = nc_get_vara_double(id_, *var, start.data(), count.data(), values.data());
      status != NC_NOERR) {
    return std::unexpected(Problem("cannot read the values of " + variable, status));
  }
  return values;
}

std::expected<int, std::string> NetCdfFile::AddDimension(const std::string& name,
                                                         std::size_t length) {
  int dim = -1;
  if (const int status = nc_def_dim(id_, name.c_str(), length, &dim); status != NC_NOERR) {
    return std::unexpected(Problem("cannot add the dimension " + name, status));
  }
  return dim;
}

std::expected<int, std::string> NetCdfFile::AddVariable(const std::string& name,
                                                        const std::vector<int>& dimensions) {
  int var = -1;
  if (const int status = nc_def_var(id_, name.c_str(), NC_DOUBLE,
                                    static_cast<int>(dimensions.size()), dimensions.data(), &var);
      status != NC_NOERR) {
    return std::unexpected(Problem("cannot add the variable " + name, status));
  }
  return var;
}

std::expected<void, std::string> NetCdfFile::PutText(const std::string& variable,
                                                     const std::string& name,
                                                     const std::string& value) {
  auto var = VariableId(variable);
  if (!var) return std::unexpected(var.error());
  if (const int status = nc_put_att_text(id_, *var, name.c_str(), value.size(), value.data());
      status != NC_NOERR) {
    return std::unexpected(Problem("cannot write the attribute " + name, status));
  }
  return {};
}

std::expected<void, std::string> NetCdfFile::PutValues(const std::string& variable,
                                                       const std::vector<double>& values) {
  auto var = VariableId(variable);
  if (!var) return std::unexpected(var.error());
  nc_enddef(id_);  // a netCDF-3 file takes values only out of define mode
  if (const int status = nc_put_var_double(id_, *var, values.data()); status != NC_NOERR) {
    return std::unexpected(Problem("cannot write the values of " + variable, status));
  }
  return {};
}

}  // namespace fonderel
