#include "app/Form1.h"
#include "app/Form2.h"

#include "controls/ResultList.h"

#include <QLabel>

void TForm1::AddRow(TPictureSize size)
{
    IncrementLabel(FoundLabel);
    ResultList->Rows->Append(size); // the row's name is read from FoundFiles when it is drawn
}
