#include <stdio.h>

/* Stock arithmetic used by the inventory reports */
static int clamp_stock (int qty)
{
    if (qty < 0) return 0;  // never below zero
    return qty;
}

int total_stock(const int *qty, int n)
{
    int total = 0;
    for (int i = 0; i < n; i++)
        total += clamp_stock(qty[i]);
    printf("total %d\n", total);
    return total;
}

int main(void);
int main(void)
{
    int qty[3] = {4, -1, 7};
    return total_stock(qty, 3) == 11 ? 0 : 1;
}
