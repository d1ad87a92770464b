// Form files in text form:
//
//   object Form1: TForm1
//     Caption = 'Files'
//     Options = [zqstoAutoFill, zqstoVirtualFolders]
//     Folder.Pidl = {
//       00140014...}
//     object Tree1: TZQShellTree
//       ShellList = List1
//     end
//   end
//
// A property is written when it is stored and differs from its default; a
// sub-object's properties are written as "Prop.Sub"; binary properties come
// from DefineProperties. Reading creates the registered classes named in the
// text, owned by the root, sets csLoading while reading, resolves links by
// name at the end and then calls Loaded on every component read, in order.
// A failure frees the components the read created and raises EReadError (or
// the error that the failing property raised).
#pragma once
#include <string>

namespace korvane {

class TComponent;
class TStream;

void WriteComponentText(TStream& Stream, TComponent* Root);
void ReadComponentText(TStream& Stream, TComponent* Root);
std::string ComponentToText(TComponent* Root);
void TextToComponent(const std::string& Text, TComponent* Root);

}  // namespace korvane
