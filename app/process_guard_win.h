// Keyvane's memory closed to the other programs of the same user: the process's DACL lets its
// user only ask after the process, wait for it and end it (Task Manager still can), and gives
// nobody anything else: no reading or writing its memory, no thread started in it, no handle
// taken out of it. An administrator with the debug privilege passes any DACL.
#pragma once

// Replaces the process's DACL; when Windows refuses, the process stays as it was.
void closeProcessToOthers();
