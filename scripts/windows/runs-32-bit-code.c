/* Exits with 0 when this machine can execute 32-bit x86 code in a user process, as 32-bit
   Wine needs: it jumps into the 32-bit user code segment and back. Where the kernel or the
   hypervisor offers no such segment the jump faults and the process dies of a signal. */
#include <stdio.h>

int main(void) {
    unsigned int seen = 0;
    __asm__ volatile(
        "lea 1f(%%rip), %%rax\n"
        "pushq $0x23\n" /* the 32-bit user code segment */
        "pushq %%rax\n"
        "lretq\n"
        "1:\n"
        ".code32\n"
        "movl $32, %%ecx\n"
        "pushl $0x33\n" /* back to the 64-bit user code segment */
        "call 2f\n"
        "2: addl $(3f-2b), (%%esp)\n"
        "lret\n"
        ".code64\n"
        "3:\n"
        "movl %%ecx, %0\n"
        : "=r"(seen)
        :
        : "rax", "rcx", "memory");
    return seen == 32 ? 0 : 1;
}
