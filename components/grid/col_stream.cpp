// The "Col" stream: the column definitions of a grid table as the program's resources store them.
//   count of columns, then per column: type number, heading lines (list), Visible, SameGroup and
//   the settings of its kind. Two older forms of real and nested-table columns are still read.
#include <algorithm>
#include <cstdio>

#include "columns.h"
#include "value_stream.h"

namespace tolvane::grid {
namespace {

const char* const kFloatColumnMark = "FLOATCOLUMN2";
const char* const kTableColumnMark = "FLEXCOLUMN2";
constexpr int32_t kEmptyTemplate = -1;
constexpr ColumnType kLastColumnType = ColumnType::kString;

std::string creatingColumnMessage(int index, const char* inner) {
  constexpr size_t kMessageSize = 512;
  std::string message(kMessageSize, '\0');
  const int n = std::snprintf(message.data(), message.size(),
                              "Error occured when creating column %d: %s", index, inner);
  message.resize(static_cast<size_t>(std::clamp(n, 0, static_cast<int>(kMessageSize) - 1)));
  return message;
}

}  // namespace

void TColumn::WriteData(ValueWriter& writer) const {
  writer.writeListBegin();
  for (const std::string& line : Heading) writer.writeString(line);
  writer.writeListEnd();
  writer.writeBoolean(Visible);
  writer.writeBoolean(SameGroup);
  writeSettings(writer);
}

void TColumn::readData(ValueReader& reader) {
  reader.readListBegin();
  Heading.clear();
  while (!reader.endOfList()) Heading.push_back(reader.readString());
  Visible = reader.readBoolean();
  SameGroup = reader.readBoolean();
  readSettings(reader);
}

void TEnumColumn::writeSettings(ValueWriter& writer) const {
  writer.writeListBegin();
  for (const std::string& name : names_) writer.writeString(name);
  writer.writeListEnd();
}

void TEnumColumn::readSettings(ValueReader& reader) {
  reader.readListBegin();
  std::vector<std::string> names;
  while (!reader.endOfList()) names.push_back(reader.readString());
  names_ = std::move(names);
}

void TIntColumn::writeSettings(ValueWriter& writer) const {
  writer.writeInteger(Default);
  writer.writeInteger(Minimum);
  writer.writeInteger(Maximum);
}

void TIntColumn::readSettings(ValueReader& reader) {
  Default = reader.readInteger();
  Minimum = reader.readInteger();
  Maximum = reader.readInteger();
}

void TFloatColumn::writeSettings(ValueWriter& writer) const {
  writer.writeBoolean(TopDepth);
  writer.writeString(kFloatColumnMark);
  writer.writeString(UnitsString);
  writer.writeFloat(Default);
}

void TFloatColumn::readSettings(ValueReader& reader) {
  TopDepth = reader.readBoolean();
  std::string text = reader.readString();
  if (text == kFloatColumnMark) {
    UnitsString = reader.readString();
    Default = reader.readFloat();
  } else {  // older form: the units string and no default
    UnitsString = std::move(text);
    Default = 0;
  }
}

void TTableColumn::writeSettings(ValueWriter& writer) const {
  writer.writeString(kTableColumnMark);
  writer.writeListBegin();
  for (int i = 0; i < Templates.Count(); ++i) {
    const TGridTable* source = Templates.Elements(i);
    writer.writeInteger(source != nullptr ? source->Identifier() : kEmptyTemplate);
  }
  writer.writeListEnd();
}

void TTableColumn::readSettings(ValueReader& reader) {
  const std::string mark = reader.readString();
  TGridTableList templates(table().registry());
  if (mark == kTableColumnMark) {
    reader.readListBegin();
    while (!reader.endOfList()) templates.AddByIdent(reader.readInteger());
  } else {
    // Older form: one registry position; with a pick list in column 0, one entry per choice.
    const int32_t position = reader.readInteger();
    const TGridTable& owner = table();
    if (owner.ColCount() == 0 || owner.GetColumn(0).columnType() != ColumnType::kEnum) {
      templates.Add(position);
    } else {
      const auto& names = static_cast<const TEnumColumn&>(owner.GetColumn(0)).Names();
      for (size_t i = 0; i < names.size(); ++i) {
        if (owner.HardwiredButton) {
          templates.Add(position);
        } else {
          templates.AddByIdent(static_cast<int>(i) + 1);
        }
      }
    }
  }
  Templates = std::move(templates);
}

void TStringColumn::writeSettings(ValueWriter& writer) const {
  writer.writeString(Default);
  writer.writeFloat(MinWidth);
}

void TStringColumn::readSettings(ValueReader& reader) {
  Default = reader.readString();
  MinWidth = reader.readFloat();
}

void TGridTable::writeColumns(ValueWriter& writer) const {
  writer.writeInteger(ColCount());
  for (const auto& column : columns_) {
    writer.writeInteger(static_cast<int32_t>(column->columnType()));
    column->WriteData(writer);
  }
}

void TGridTable::readColumns(ValueReader& reader) {
  int32_t count = 0;
  try {
    count = reader.readInteger();
  } catch (const ReadError&) {
    throw GridError("Error reading column count");
  }
  columns_.clear();
  for (int i = 0; i < count; ++i) {
    int32_t type = 0;
    try {
      type = reader.readInteger();
    } catch (const ReadError& error) {
      throw GridError(creatingColumnMessage(i, error.what()));
    }
    if (type < 0 || type > static_cast<int32_t>(kLastColumnType)) {
      throw GridError("Error Column Class not defined");
    }
    std::unique_ptr<TColumn> column = createColumn(static_cast<ColumnType>(type), *this);
    try {
      column->readData(reader);
      attachColumn(std::move(column), ColCount());
    } catch (const std::exception& error) {
      throw GridError(creatingColumnMessage(i, error.what()));
    }
    sizeTemplateLists();
  }
  raiseMajorChange();
}

}  // namespace tolvane::grid
