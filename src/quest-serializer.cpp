// quest-serializer.cpp -- the Quest record and its qdef file.
#include "quest.h"

Quest::Quest()
{
}
