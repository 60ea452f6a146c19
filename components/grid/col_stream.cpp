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
constexpr TColumnType kLastColumnType = TColumnType::kString;

std::string CreatingColumnMessage(int index, const char* inner) {
  constexpr size_t kMessageSize = 512;
  std::string message(kMessageSize, '\0');
  const int n = std::snprintf(message.data(), message.size(),
                              "Error occured when creating column %d: %s", index, inner);
  message.resize(static_cast<size_t>(std::clamp(n, 0, static_cast<int>(kMessageSize) - 1)));
  return message;
}

}  // namespace

void TColumn::WriteData(TValueWriter& writer) const {
  writer.WriteListBegin();
  for (const std::string& line : Heading) writer.WriteString(line);
  writer.WriteListEnd();
  writer.WriteBoolean(Visible);
  writer.WriteBoolean(SameGroup);
  WriteSettings(writer);
}

void TColumn::ReadData(TValueReader& reader) {
  reader.ReadListBegin();
  Heading.clear();
  while (!reader.EndOfList()) Heading.push_back(reader.ReadString());
  Visible = reader.ReadBoolean();
  SameGroup = reader.ReadBoolean();
  ReadSettings(reader);
}

void TEnumColumn::WriteSettings(TValueWriter& writer) const {
  writer.WriteListBegin();
  for (const std::string& name : Names_) writer.WriteString(name);
  writer.WriteListEnd();
}

void TEnumColumn::ReadSettings(TValueReader& reader) {
  reader.ReadListBegin();
  std::vector<std::string> names;
  while (!reader.EndOfList()) names.push_back(reader.ReadString());
  Names_ = std::move(names);
}

void TIntColumn::WriteSettings(TValueWriter& writer) const {
  writer.WriteInteger(Default);
  writer.WriteInteger(Minimum);
  writer.WriteInteger(Maximum);
}

void TIntColumn::ReadSettings(TValueReader& reader) {
  Default = reader.ReadInteger();
  Minimum = reader.ReadInteger();
  Maximum = reader.ReadInteger();
}

void TFloatColumn::WriteSettings(TValueWriter& writer) const {
  writer.WriteBoolean(TopDepth);
  writer.WriteString(kFloatColumnMark);
  writer.WriteString(UnitsString);
  writer.WriteFloat(Default);
}

void TFloatColumn::ReadSettings(TValueReader& reader) {
  TopDepth = reader.ReadBoolean();
  std::string text = reader.ReadString();
  if (text == kFloatColumnMark) {
    UnitsString = reader.ReadString();
    Default = reader.ReadFloat();
  } else {  // older form: the units string and no default
    UnitsString = std::move(text);
    Default = 0;
  }
}

void TTableColumn::WriteSettings(TValueWriter& writer) const {
  writer.WriteString(kTableColumnMark);
  writer.WriteListBegin();
  for (int i = 0; i < Templates.Count(); ++i) {
    const TGridTable* source = Templates.Elements(i);
    writer.WriteInteger(source != nullptr ? source->Identifier() : kEmptyTemplate);
  }
  writer.WriteListEnd();
}

void TTableColumn::ReadSettings(TValueReader& reader) {
  const std::string mark = reader.ReadString();
  TGridTableList templates(Table().Registry());
  if (mark == kTableColumnMark) {
    reader.ReadListBegin();
    while (!reader.EndOfList()) templates.AddByIdent(reader.ReadInteger());
  } else {
    // Older form: one registry position; with a pick list in column 0, one entry per choice.
    const int32_t position = reader.ReadInteger();
    const TGridTable& table = Table();
    if (table.ColCount() == 0 || table.GetColumn(0).Type() != TColumnType::kEnum) {
      templates.Add(position);
    } else {
      const auto& names = static_cast<const TEnumColumn&>(table.GetColumn(0)).Names();
      for (size_t i = 0; i < names.size(); ++i) {
        if (table.HardwiredButton) {
          templates.Add(position);
        } else {
          templates.AddByIdent(static_cast<int>(i) + 1);
        }
      }
    }
  }
  Templates = std::move(templates);
}

void TStringColumn::WriteSettings(TValueWriter& writer) const {
  writer.WriteString(Default);
  writer.WriteFloat(MinWidth);
}

void TStringColumn::ReadSettings(TValueReader& reader) {
  Default = reader.ReadString();
  MinWidth = reader.ReadFloat();
}

void TGridTable::WriteColumns(TValueWriter& writer) const {
  writer.WriteInteger(ColCount());
  for (const auto& column : Columns_) {
    writer.WriteInteger(static_cast<int32_t>(column->Type()));
    column->WriteData(writer);
  }
}

void TGridTable::ReadColumns(TValueReader& reader) {
  int32_t count = 0;
  try {
    count = reader.ReadInteger();
  } catch (const EReadError&) {
    throw EGridError("Error reading column count");
  }
  Columns_.clear();
  for (int i = 0; i < count; ++i) {
    int32_t type = 0;
    try {
      type = reader.ReadInteger();
    } catch (const EReadError& error) {
      throw EGridError(CreatingColumnMessage(i, error.what()));
    }
    if (type < 0 || type > static_cast<int32_t>(kLastColumnType)) {
      throw EGridError("Error Column Class not defined");
    }
    std::unique_ptr<TColumn> column = CreateColumn(static_cast<TColumnType>(type), *this);
    try {
      column->ReadData(reader);
      AttachColumn(std::move(column), ColCount());
    } catch (const std::exception& error) {
      throw EGridError(CreatingColumnMessage(i, error.what()));
    }
    SizeTemplateLists();
  }
  RaiseMajorChange();
}

}  // namespace tolvane::grid
